#include "foundation/widgets/FormPlacement.h"

#include "foundation/ZRRegIniFile.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

#include <algorithm>

namespace {

constexpr int32_t kStateNormal = 0;
constexpr int32_t kStateMinimized = 1;
constexpr int32_t kStateMaximized = 2;

int32_t StateNumber(Qt::WindowStates states) {
    if (states & Qt::WindowMinimized) return kStateMinimized;
    if (states & Qt::WindowMaximized) return kStateMaximized;
    return kStateNormal;
}

Qt::WindowStates StateFlags(int32_t number, Qt::WindowStates current) {
    current &= ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (number == kStateMinimized) return current | Qt::WindowMinimized;
    if (number == kStateMaximized) return current | Qt::WindowMaximized;
    return current;
}

QSize ScreenSizeOf(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

}  // namespace

QRect KeepOnScreen(QRect bounds, QSize screen) {
    const int width = std::min(bounds.width(), screen.width());
    const int height = std::min(bounds.height(), screen.height());
    int left = bounds.left(), top = bounds.top();
    if (left + width >= screen.width()) left = screen.width() - width;
    if (top + height >= screen.height()) top = screen.height() - height;
    return QRect(std::max(left, 0), std::max(top, 0), width, height);
}

QRect CenteredOver(QSize form, const QRect& mainWindow, QSize screen) {
    // Integer division truncates towards zero, as the placement always did.
    int left = std::max(mainWindow.left() + (mainWindow.width() - form.width()) / 2, 0);
    int top = std::max(mainWindow.top() + (mainWindow.height() - form.height()) / 2, 0);
    if (left + form.width() > screen.width()) left = screen.width() - form.width();
    if (top + form.height() > screen.height()) top = screen.height() - form.height();
    return QRect(QPoint(left, top), form);
}

void SaveFormPlacement(const QWidget* form, const std::string& section) {
    TZRRegIniFile& settings = Settings();
    const int32_t state = StateNumber(form->windowState());
    settings.BeginUpdate();
    try {
        settings.WriteInteger(section, "WindowState", state);
        if (state != kStateMaximized) {
            // A minimized window keeps the bounds it had when normal.
            const QRect bounds = form->isMinimized() ? form->normalGeometry() : form->geometry();
            const QPoint framePos = form->isMinimized() ? bounds.topLeft() : form->pos();
            settings.WriteInteger(section, "Left", framePos.x());
            settings.WriteInteger(section, "Top", framePos.y());
            settings.WriteInteger(section, "Width", bounds.width());
            settings.WriteInteger(section, "Height", bounds.height());
        }
    } catch (...) {
        settings.EndUpdate();
        throw;
    }
    settings.EndUpdate();
}

void LoadFormPlacement(QWidget* form, const std::string& section) {
    const TZRRegIniFile& settings = Settings();
    const int32_t state = settings.ReadInteger(section, "WindowState", StateNumber(form->windowState()));
    form->setWindowState(StateFlags(state, form->windowState()));
    if (state != kStateNormal) return;
    const QRect stored(settings.ReadInteger(section, "Left", form->x()), settings.ReadInteger(section, "Top", form->y()),
                       settings.ReadInteger(section, "Width", form->width()),
                       settings.ReadInteger(section, "Height", form->height()));
    const QRect placed = KeepOnScreen(stored, ScreenSizeOf(form));
    form->move(placed.topLeft());
    form->resize(placed.size());
}

void CenterFormOnMaster(QWidget* form, const QWidget* mainWindow) {
    if (!form || !mainWindow) return;
    const QRect mainBounds(mainWindow->pos(), mainWindow->frameGeometry().size());
    const QRect placed = CenteredOver(form->frameGeometry().size(), mainBounds, ScreenSizeOf(mainWindow));
    form->move(placed.topLeft());
}

void OffsetControl(QWidget* control, int dx, int dy) {
    if (control) control->move(control->pos() + QPoint(dx, dy));
}
