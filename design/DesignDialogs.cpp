#include "design/DesignDialogs.h"

TDesignDialogs& DesignDialogs() {
    static TDesignDialogs dialogs;
    return dialogs;
}
