#pragma once
// The theme manager of the main window. Qt's style already draws the
// standard controls in the desktop's look, so what is left of the manager is
// its bookkeeping: which controls of every window it watches ("subclassed"),
// by kind and option, the hooks that see their events first, the allow flags
// it hands to the theme services, and one active manager per process (later
// ones stay passive and take over when the active one goes).

#include <QtCore/QFlags>
#include <QtCore/QObject>
#include <QtCore/QPointer>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

class QEvent;
class QWidget;

class TZRThemeManager : public QObject {
    Q_OBJECT
public:
    enum TThemeOption : uint32_t {
        toAllowNonClientArea = 1u << 0,
        toAllowControls = 1u << 1,
        toAllowWebContent = 1u << 2,
        toSubclassAnimate = 1u << 3,
        toSubclassButtons = 1u << 4,
        toSubclassCheckListbox = 1u << 5,
        toSubclassDBLookup = 1u << 6,  // no control kind uses it
        toSubclassFrame = 1u << 7,
        toSubclassGroupBox = 1u << 8,
        toSubclassListView = 1u << 9,
        toSubclassPanel = 1u << 10,
        toSubclassTabSheet = 1u << 11,
        toSubclassSpeedButtons = 1u << 12,
        toSubclassStatusBar = 1u << 13,
        toSubclassTrackBar = 1u << 14,
        toSubclassWinControl = 1u << 15,
        toResetMouseCapture = 1u << 16,
        toSetTransparency = 1u << 17,
        toAlternateTabSheetDraw = 1u << 18,
    };
    Q_DECLARE_FLAGS(TThemeOptions, TThemeOption)
    static constexpr uint32_t kAllOptions = (1u << 19) - 1;
    static constexpr uint32_t kDefaultOptions = kAllOptions & ~(toSubclassAnimate | toAlternateTabSheetDraw);

    // The kinds of controls, each kept in a list of its own.
    enum class TControlKind {
        ButtonControl, SpeedButton, GroupBox, TabSheet, Panel, Frame, ListView, TrackBar, CheckListBox,
        StatusBar, Animate, Form, WinControl,
    };

    explicit TZRThemeManager(QObject* owner = nullptr);
    ~TZRThemeManager() override;

    // The active manager of the process; null without one.
    static TZRThemeManager* Active();
    bool IsActive() const { return Active() == this; }

    TThemeOptions Options() const;
    // On the active manager: stores the options, hands the allow flags to
    // the theme services and makes every window hear of the change. A
    // passive manager forwards to the active one.
    void SetOptions(TThemeOptions options);

    // With a window: watches it and all its controls. Without: lets go of
    // every control, then watches every window of the application. Then
    // applies the transparency option. A passive manager does nothing.
    void UpdateThemedControls(QWidget* window = nullptr);
    // Watches the control (subclass) or lets go of it and of its children.
    void SubclassControl(QWidget* control, bool subclass);
    bool IsSubclassed(const QWidget* control) const;
    // The list the control belongs in; none when its option is off (forms
    // always have one). Without a style only list views are themed.
    std::optional<TControlKind> KindOf(const QWidget* control) const;
    int SubclassedCount() const;

    // Asked before a control is watched; allow starts true. A control with
    // the property "ZRNoTheming" set is never watched.
    std::function<void(TZRThemeManager* sender, QWidget* control, bool& allow)> OnAllowSubclassing;
    // Sees every event of a watched control first.
    std::function<void(TZRThemeManager* sender, QWidget* control, QEvent* event, bool& handled)> OnControlMessage;
    std::function<void()> OnThemeChange;

    // Listeners asked after OnControlMessage, in order; one that answers true
    // has handled the event, one that throws is dropped.
    using Listener = std::function<bool(QWidget* control, QEvent* event)>;
    void AddListener(const QObject* owner, Listener listener);
    void RemoveListener(const QObject* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ApplicationHook;
    void Activate();
    void RestoreAll();
    void SubclassTree(QWidget* window);
    void ApplyTransparency(QWidget* window);
    bool MayBeSubclassed(QWidget* control);
    bool DispatchToHooks(QWidget* control, QEvent* event);
    // The watched widget at that address; null when none is.
    QWidget* WatchedWidget(const QObject* object) const;

    TThemeOptions options_ = TThemeOptions::fromInt(kDefaultOptions);
    std::map<TControlKind, std::set<QWidget*>> lists_;
    std::vector<std::pair<QPointer<const QObject>, Listener>> listeners_;
    ApplicationHook* hook_ = nullptr;
    bool restoring_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TZRThemeManager::TThemeOptions)
