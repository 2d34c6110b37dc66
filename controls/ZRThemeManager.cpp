#include "controls/ZRThemeManager.h"

#include "foundation/widgets/ZRThemeServices.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QMutex>
#include <QtCore/QMutexLocker>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <algorithm>

namespace {

// The managers of the process in the order they were made; the first is the
// active one.
QMutex& ManagersLock() {
    static QMutex lock;
    return lock;
}

std::vector<TZRThemeManager*>& Managers() {
    static std::vector<TZRThemeManager*> managers;
    return managers;
}

bool IsTabSheet(const QWidget* control) {
    const QWidget* stack = control->parentWidget();
    return qobject_cast<const QStackedWidget*>(stack) && stack->parentWidget() &&
           qobject_cast<const QTabWidget*>(stack->parentWidget());
}

bool IsExactly(const QWidget* control, const QMetaObject& meta) { return control->metaObject() == &meta; }

}  // namespace

// The active manager's ear on the application: a window that is shown for
// the first time is watched with all its controls.
class TZRThemeManager::ApplicationHook : public QObject {
public:
    explicit ApplicationHook(TZRThemeManager* manager) : QObject(manager), manager_(manager) {
        if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
    }
    ~ApplicationHook() override {
        if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && !manager_->IsSubclassed(widget)) manager_->UpdateThemedControls(widget);
        }
        return false;
    }

private:
    TZRThemeManager* manager_;
};

TZRThemeManager::TZRThemeManager(QObject* owner) : QObject(owner) {
    bool first = false;
    {
        QMutexLocker locker(&ManagersLock());
        std::vector<TZRThemeManager*>& managers = Managers();
        if (!managers.empty()) options_ = managers.front()->options_;
        managers.push_back(this);
        first = managers.size() == 1;
    }
    if (first) Activate();
}

TZRThemeManager::~TZRThemeManager() {
    const bool wasActive = IsActive();
    if (wasActive) {
        delete hook_;
        hook_ = nullptr;
        RestoreAll();
    }
    TZRThemeManager* next = nullptr;
    {
        QMutexLocker locker(&ManagersLock());
        std::vector<TZRThemeManager*>& managers = Managers();
        managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
        if (wasActive && !managers.empty()) next = managers.front();
    }
    if (next) {
        next->Activate();
        next->UpdateThemedControls();
    }
}

TZRThemeManager* TZRThemeManager::Active() {
    QMutexLocker locker(&ManagersLock());
    return Managers().empty() ? nullptr : Managers().front();
}

void TZRThemeManager::Activate() { hook_ = new ApplicationHook(this); }

TZRThemeManager::TThemeOptions TZRThemeManager::Options() const { return options_; }

void TZRThemeManager::SetOptions(TThemeOptions options) {
    if (TZRThemeManager* active = Active(); active && active != this) {
        active->SetOptions(options);
        return;
    }
    options_ = options;
    TZRThemeServices& services = ThemeServices();
    uint32_t flags = 0;
    if (options & toAllowNonClientArea) flags |= kAllowNonClient;
    if (options & toAllowControls) flags |= kAllowControls;
    if (options & toAllowWebContent) flags |= kAllowWebContent;
    services.SetAppProperties(flags);
    services.ThemeChanged();
    if (OnThemeChange) OnThemeChange();
}

std::optional<TZRThemeManager::TControlKind> TZRThemeManager::KindOf(const QWidget* control) const {
    const auto when = [this](TThemeOption option, TControlKind kind) -> std::optional<TControlKind> {
        if (options_ & option) return kind;
        return std::nullopt;
    };
    const bool styled = ThemeServices().ThemesAvailable();
    if (!styled) {
        if (qobject_cast<const QAbstractItemView*>(control) && !qobject_cast<const QListWidget*>(control))
            return when(toSubclassListView, TControlKind::ListView);
        return std::nullopt;
    }
    if (control->isWindow()) return TControlKind::Form;
    if (qobject_cast<const QToolButton*>(control)) return when(toSubclassSpeedButtons, TControlKind::SpeedButton);
    if (qobject_cast<const QAbstractButton*>(control)) return when(toSubclassButtons, TControlKind::ButtonControl);
    if (qobject_cast<const QGroupBox*>(control)) return when(toSubclassGroupBox, TControlKind::GroupBox);
    if (IsTabSheet(control)) return when(toSubclassTabSheet, TControlKind::TabSheet);
    if (IsExactly(control, QFrame::staticMetaObject)) return when(toSubclassPanel, TControlKind::Panel);
    if (IsExactly(control, QWidget::staticMetaObject)) return when(toSubclassFrame, TControlKind::Frame);
    if (qobject_cast<const QListWidget*>(control)) return when(toSubclassCheckListbox, TControlKind::CheckListBox);
    if (qobject_cast<const QAbstractItemView*>(control)) return when(toSubclassListView, TControlKind::ListView);
    if (qobject_cast<const QSlider*>(control)) return when(toSubclassTrackBar, TControlKind::TrackBar);
    if (qobject_cast<const QStatusBar*>(control)) return when(toSubclassStatusBar, TControlKind::StatusBar);
    if (const auto* label = qobject_cast<const QLabel*>(control); label && label->movie())
        return when(toSubclassAnimate, TControlKind::Animate);
    return when(toSubclassWinControl, TControlKind::WinControl);
}

bool TZRThemeManager::MayBeSubclassed(QWidget* control) {
    if (control->property("ZRNoTheming").toBool()) return false;
    bool allow = true;
    if (OnAllowSubclassing) OnAllowSubclassing(this, control, allow);
    return allow;
}

void TZRThemeManager::SubclassControl(QWidget* control, bool subclass) {
    if (!control) return;
    const std::optional<TControlKind> kind = subclass ? KindOf(control) : std::nullopt;
    if (kind && MayBeSubclassed(control)) {
        if (lists_[*kind].insert(control).second) {
            control->installEventFilter(this);
            connect(control, &QObject::destroyed, this, [this, control] {
                for (auto& [k, list] : lists_) list.erase(control);
            });
        }
        return;
    }
    // Restoring a control first restores its children.
    for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) SubclassControl(child, false);
    for (auto& [k, list] : lists_) {
        if (list.erase(control) > 0) {
            control->removeEventFilter(this);
            disconnect(control, &QObject::destroyed, this, nullptr);
        }
    }
}

QWidget* TZRThemeManager::WatchedWidget(const QObject* object) const {
    for (const auto& [kind, list] : lists_)
        for (QWidget* control : list)
            if (static_cast<const QObject*>(control) == object) return control;
    return nullptr;
}

bool TZRThemeManager::IsSubclassed(const QWidget* control) const {
    return std::any_of(lists_.begin(), lists_.end(),
                       [control](const auto& entry) { return entry.second.count(const_cast<QWidget*>(control)) > 0; });
}

int TZRThemeManager::SubclassedCount() const {
    int count = 0;
    for (const auto& [kind, list] : lists_) count += static_cast<int>(list.size());
    return count;
}

void TZRThemeManager::SubclassTree(QWidget* window) {
    SubclassControl(window, true);
    for (QWidget* control : window->findChildren<QWidget*>()) SubclassControl(control, true);
}

void TZRThemeManager::RestoreAll() {
    restoring_ = true;
    for (auto& [kind, list] : lists_) {
        for (QWidget* control : list) {
            control->removeEventFilter(this);
            disconnect(control, &QObject::destroyed, this, nullptr);
        }
        list.clear();
    }
    restoring_ = false;
}

void TZRThemeManager::UpdateThemedControls(QWidget* window) {
    if (!IsActive()) return;
    if (window) {
        SubclassTree(window);
        ApplyTransparency(window);
        return;
    }
    RestoreAll();
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        SubclassTree(top);
        ApplyTransparency(top);
    }
}

void TZRThemeManager::ApplyTransparency(QWidget* window) {
    if (!(options_ & toSetTransparency)) return;
    // Tool bars and labels let their parent show through.
    for (QToolBar* bar : window->findChildren<QToolBar*>()) bar->setAutoFillBackground(false);
    for (QLabel* label : window->findChildren<QLabel*>()) label->setAutoFillBackground(false);
}

void TZRThemeManager::AddListener(const QObject* owner, Listener listener) {
    listeners_.emplace_back(owner, std::move(listener));
}

void TZRThemeManager::RemoveListener(const QObject* owner) {
    std::erase_if(listeners_, [owner](const auto& entry) { return entry.first == owner; });
}

bool TZRThemeManager::DispatchToHooks(QWidget* control, QEvent* event) {
    bool handled = false;
    if (OnControlMessage) OnControlMessage(this, control, event, handled);
    for (size_t i = 0; !handled && i < listeners_.size();) {
        try {
            handled = listeners_[i].second(control, event);
            ++i;
        } catch (...) {
            listeners_.erase(listeners_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return handled;
}

bool TZRThemeManager::eventFilter(QObject* watched, QEvent* event) {
    if (restoring_ || !watched->isWidgetType()) return false;
    auto* control = static_cast<QWidget*>(watched);
    if (DispatchToHooks(control, event)) return true;
    // A window watches the controls put into it and lets go of removed ones.
    if (control->isWindow() && event->type() == QEvent::ChildPolished) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) SubclassControl(static_cast<QWidget*>(child), true);
    }
    // A child being deleted has left the lists already (destroyed comes first).
    if (control->isWindow() && event->type() == QEvent::ChildRemoved)
        if (QWidget* child = WatchedWidget(static_cast<QChildEvent*>(event)->child())) SubclassControl(child, false);
    return false;
}
