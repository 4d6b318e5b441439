#include "session/WheelSteps.h"

WheelSteps& WheelSteps::shared() {
    static WheelSteps steps;
    return steps;
}
