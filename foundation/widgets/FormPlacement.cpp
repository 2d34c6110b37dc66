#include "foundation/widgets/FormPlacement.h"

#include "foundation/ZRRegIniFile.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

#include <algorithm>

namespace {

TStoredWindowState StateOf(const QWidget* form) {
    if (form->isMaximized()) return TStoredWindowState::Maximized;
    if (form->isMinimized()) return TStoredWindowState::Minimized;
    return TStoredWindowState::Normal;
}

QRect ScreenArea(const QWidget* form) {
    const QScreen* screen = form->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QRect FitBoundsToScreen(const QRect& bounds, const QRect& screen) {
    const int width = std::min(bounds.width(), screen.width());
    const int height = std::min(bounds.height(), screen.height());
    int left = bounds.left();
    int top = bounds.top();
    if (left + width >= screen.left() + screen.width()) left = screen.left() + screen.width() - width;
    if (top + height >= screen.top() + screen.height()) top = screen.top() + screen.height() - height;
    left = std::max(left, screen.left());
    top = std::max(top, screen.top());
    return {left, top, width, height};
}

void LoadFormPlacement(QWidget* form, const std::string& section) {
    const TZRRegIniFile& settings = Settings();
    const int state = settings.ReadInteger(section, "WindowState", static_cast<int>(StateOf(form)));
    Qt::WindowStates states = form->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
    if (state == static_cast<int>(TStoredWindowState::Maximized)) states |= Qt::WindowMaximized;
    if (state == static_cast<int>(TStoredWindowState::Minimized)) states |= Qt::WindowMinimized;
    form->setWindowState(states);
    if (state != static_cast<int>(TStoredWindowState::Normal)) return;
    const QRect current(form->pos(), form->size());
    const QRect stored(settings.ReadInteger(section, "Left", current.left()), settings.ReadInteger(section, "Top", current.top()),
                       settings.ReadInteger(section, "Width", current.width()),
                       settings.ReadInteger(section, "Height", current.height()));
    const QRect bounds = FitBoundsToScreen(stored, ScreenArea(form));
    form->move(bounds.topLeft());
    form->resize(bounds.size());
}

void SaveFormPlacement(QWidget* form, const std::string& section) {
    TZRRegIniFile& settings = Settings();
    const TStoredWindowState state = StateOf(form);
    settings.BeginUpdate();
    settings.WriteInteger(section, "WindowState", static_cast<int>(state));
    if (state != TStoredWindowState::Maximized) {
        settings.WriteInteger(section, "Left", form->x());
        settings.WriteInteger(section, "Top", form->y());
        settings.WriteInteger(section, "Width", form->width());
        settings.WriteInteger(section, "Height", form->height());
    }
    settings.EndUpdate();
}
