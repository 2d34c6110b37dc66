#pragma once
// The program's access to the visual style: whether themed drawing is on,
// the parts and states of the style's elements, and drawing them. Qt's
// current style is the theme library; whether the program draws themed is
// the user's setting "Allgemein"/"VisuelleStile" (off by default: the
// program's controls draw their own classic frames). A change of the style
// or of the application palette is a theme change: the flags are read
// again, OnThemeChange is told once and every widget repaints.

#include <QtCore/QObject>
#include <QtCore/QRect>
#include <QtCore/QString>

#include <array>
#include <cstdint>
#include <functional>

class QPainter;
class QStyle;
class QWidget;

// The style's element classes, in the order of their class names
// (TZRThemeServices::ElementClassName).
enum class TThemedElement : uint8_t {
    teButton, teClock, teComboBox, teEdit, teExplorerBar, teHeader, teListView, teMenu, tePage, teProgress,
    teRebar, teScrollBar, teSpin, teStartPanel, teStatus, teTab, teTaskBand, teTaskBar, teToolBar, teToolTip,
    teTrackBar, teTrayNotify, teTreeview, teWindow,
};
constexpr int kThemedElementCount = 24;

struct TThemedElementDetails {
    TThemedElement Element = TThemedElement::teButton;
    int32_t Part = 0;
    int32_t State = 0;
    bool operator==(const TThemedElementDetails&) const = default;
};

// Allow flags of the themed application (TZRThemeServices::AppProperties).
enum : uint32_t { kAllowNonClient = 0x1, kAllowControls = 0x2, kAllowWebContent = 0x4 };

class TZRThemeServices : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSettingsSection = "Allgemein";
    static constexpr const char* kSettingsKey = "VisuelleStile";

    explicit TZRThemeServices(QObject* parent = nullptr);
    ~TZRThemeServices() override;

    // A style is there to draw with (a widgets application runs).
    bool ThemesAvailable() const { return available_; }
    bool ThemesInUse() const { return inUse_; }
    // Available, in use and allowed for controls: the program's controls
    // then leave their frames to the style.
    bool GetThemesEnabled() const { return available_ && inUse_ && enabledForControls_; }

    // The style that draws the element's class, taken when first asked;
    // null while themes are not in use.
    QStyle* GetTheme(TThemedElement element);
    static const char* ElementClassName(TThemedElement element);
    // The part and state of a detail value of an element kind.
    static TThemedElementDetails GetElementDetails(TThemedElement element, int detail);

    // The element's background in its part and state, clipped to clip when given.
    void DrawElement(QPainter& painter, const TThemedElementDetails& details, const QRect& rect,
                     const QRect* clip = nullptr) const;
    // The element's frame; returns the rectangle inside it.
    QRect DrawEdge(QPainter& painter, const TThemedElementDetails& details, const QRect& rect) const;
    // Whether the part lets the parent show through at its edges.
    static bool IsPartiallyTransparent(const TThemedElementDetails& details);
    // The parent's background under the window's rectangle. With
    // onlyIfTransparent and details of an opaque part nothing is drawn and
    // the result is 0; otherwise 1.
    int DrawParentBackground(const QWidget& window, QPainter& painter, const TThemedElementDetails* details,
                             bool onlyIfTransparent, const QRect& rect) const;
    // Text in the element's colours (greyed for a disabled state).
    void DrawText(QPainter& painter, const TThemedElementDetails& details, const QString& text, const QRect& rect,
                  int flags) const;
    // The themed two-pixel client edge of a framed control; with eraseCorner
    // the square between two scroll bars is filled with the button face.
    void PaintBorder(QPainter& painter, const QWidget& control, bool eraseCorner, bool bothScrollBars = false) const;

    // Reads the flags again (a theme change, a changed setting).
    void UpdateThemes();
    void UnloadThemeData();

    // The allow flags of the application (kAllow...), written by the theme manager.
    uint32_t AppProperties() const { return appProperties_; }
    void SetAppProperties(uint32_t flags) { appProperties_ = flags; }

    // A theme change: UpdateThemes, OnThemeChange and a repaint of every
    // widget. Style and palette changes of the application arrive here by
    // themselves, several in a row as one.
    void ThemeChanged();
    std::function<void()> OnThemeChange;

signals:
    void ThemeChange();

protected:
    virtual void DoOnThemeChange();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool available_ = false;
    bool inUse_ = false;
    bool enabledForControls_ = false;
    bool changePending_ = false;
    uint32_t appProperties_ = kAllowNonClient | kAllowControls | kAllowWebContent;
    std::array<QStyle*, kThemedElementCount> themes_{};
};

// The shared theme services, created on first use.
TZRThemeServices& ThemeServices();
inline TZRThemeServices& GetThemeServices() { return ThemeServices(); }
