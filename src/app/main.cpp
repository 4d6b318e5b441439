#include "app/MainModule.h"

int main(int argc, char** argv) { return MainModule::run(argc, argv); }
