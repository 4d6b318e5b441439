#include "NavigationKeys.h"

NavigationKeys NavigationKeys::build() {
    NavigationKeys k;
    k.up = QByteArray("\x1b[A");
    k.down = QByteArray("\x1bOB");  // application form: PTT takes it as a harmless key
    k.left = QByteArray("\x1b[D");
    k.right = QByteArray("\x1b[C");
    k.home = QByteArray("\x1b[1~");
    k.end = QByteArray("\x1b[4~");
    k.pageUp = QByteArray("\x1b[5~");
    k.pageDown = QByteArray("\x1b[6~");
    k.enter = QByteArray("\r");
    return k;
}
