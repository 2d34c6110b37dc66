#pragma once
// The drag loop of the trackers on a Qt widget, and their cursors.
//
// RunWidgetDragLoop runs a local event loop while the surface widget holds
// the mouse grab (QWidget::grabMouse at button-down). It hands the tracker
// mouse moves and the left button's release (points in the widget's
// coordinates), and every press or release of Shift, Ctrl or Alt as a key
// state, so that they change the drag at once. Escape abandons the drag. The
// surface's window losing activation and the application becoming inactive
// end the drag where it is; so does the loss of the grab, which is checked
// after every event and every 50 ms. Key events and context-menu requests are kept from the rest of
// the program during the drag; everything else is dispatched as usual. An
// exception of the handler never travels through the event dispatch: it
// ends the drag, and RunWidgetDragLoop raises it again after the loop.

#include "figures/Tracker.h"

#include <QtCore/Qt>
#include <QtGui/QCursor>

#include <functional>

class QWidget;

void RunWidgetDragLoop(QWidget* surface, const std::function<bool(const TDragEvent&)>& handler);

uint32_t ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The shift-state bit of a modifier key (Shift, Ctrl, Alt); 0 for other keys.
uint32_t ModifierOfKey(int key);
// The keys and mouse buttons held now.
uint32_t CurrentShiftState();

// The standard cursor shape nearest to a tracker cursor id (200-205,
// 210-214). The program's own pictures for these ids are cursor resources of
// the application (LoadCursorResource), which its views use.
QCursor TrackerCursor(int32_t id);
