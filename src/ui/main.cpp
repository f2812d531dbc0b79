// Duskwheel: the desktop program. No argument or environment variable of its
// own is read; the exit status is 0.

#include "application.h"

int main(int argc, char** argv) {
    return duskwheel::ui::RunDuskwheel(argc, argv);
}
