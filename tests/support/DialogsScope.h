#pragma once
// The design dialogs emptied for a test and restored after it.

#include "design/DesignDialogs.h"

class DialogsScope {
public:
    DialogsScope() : saved_(DesignDialogs()) { DesignDialogs() = {}; }
    ~DialogsScope() { DesignDialogs() = saved_; }
    DialogsScope(const DialogsScope&) = delete;
    DialogsScope& operator=(const DialogsScope&) = delete;

private:
    TDesignDialogs saved_;
};
