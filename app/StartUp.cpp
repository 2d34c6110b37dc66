#include "app/StartUp.h"

#include "app/Application.h"
#include "app/ExceptionHandler.h"
#include "app/Master.h"
#include "app/Startbild.h"

#include "app/Child.h"
#include "design/DesignDialogs.h"
#include "design/widgets/DesignDialogs.h"
#include "document/widgets/DlgVideoFelder.h"
#include "document/widgets/FilerMessageBox.h"
#include "figures/widgets/ElementMessageBox.h"
#include "figures/widgets/FigureDialogs.h"
#include "figures/widgets/PropertyPageContainer.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "foundation/PrivateTempFolder.h"
#include "foundation/widgets/LocalizerForm.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/qtprinter/QtPrinterBackend.h"
#include "printing/PrintSheetPicture.h"
#include "printing/widgets/DlgDruckPosition2.h"
#include "printing/widgets/PrintDialogsUi.h"

#include <QtCore/QDeadlineTimer>
#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtCore/QTimer>
#include <QtGui/QWindow>

#include <chrono>
#include <memory>

TSplashClock SystemSplashClock() {
    return {
        [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
        },
        [](uint32_t milliseconds) {
            QEventLoop loop;
            QTimer::singleShot(std::chrono::milliseconds(milliseconds), &loop, &QEventLoop::quit);
            loop.exec();
        },
    };
}

TSplash::TSplash(TSplashClock clock) : clock_(std::move(clock)) {}

TSplash::~TSplash() { delete window_.data(); }

void TSplash::Show() {
    startTick_ = clock_.ticks();
    window_ = new TStartbild;
    window_->show();
    // Paint at once: wait (not spin) until the window system shows the
    // window, at most a moment, then paint it.
    QElapsedTimer waited;
    waited.start();
    while (window_ && window_->windowHandle() && !window_->windowHandle()->isExposed() && waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents, 20);
    if (window_) window_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplash::Close(QWidget* mainWindow) {
    if (!window_) return;
    if (mainWindow) mainWindow->setEnabled(false);
    // Above the main window, also where no window manager keeps it on top.
    window_->raise();
    while (window_) {
        // Unsigned difference: right also when the tick count wraps.
        const uint32_t elapsed = clock_.ticks() - startTick_;
        const auto minimum = static_cast<uint32_t>(SplashMinTime);
        if (elapsed > minimum) break;
        clock_.wait(minimum - elapsed + 1);
    }
    if (mainWindow) mainWindow->setEnabled(true);
    delete window_.data();
}

bool IsExistingFile(const QString& path) { return QFileInfo(path).isFile(); }

TFirstDocument ChooseFirstDocument(const QStringList& arguments, const std::function<bool(const QString&)>& fileExists) {
    if (arguments.size() == 1 && fileExists(arguments.front())) return {true, arguments.front()};
    return {};
}

namespace {

// The colour and fill dialog for the design's colour and fill commands.
void InstallColorDialogs() {
    TDesignDialogs& dialogs = DesignDialogs();
    dialogs.PickColor = [](gdi::Color& color) { return PickColor(color); };
    dialogs.EditFill = [](TFillData& fill, bool gradientFirst) {
        return EditFillData(fill, gradientFirst ? kGradientPage : kColorPage);
    };
}

}  // namespace

void InitializeServices() {
    gdi::InstallQtPrinters();
    Settings();
    Debug();
    Localizer();
    try {
        // Made at the start, so that the folders of killed earlier runs go now.
        ProcessTempFolder();
    } catch (const EFCreateError&) {
        // The first file that needs it says so.
    }
    InstallLocalizerMessageBox();
    InstallFilerMessageBox();
    InstallElementMessageBox();
    InstallFieldListEditor();
    InstallFigureDialogs();
    InstallDesignDialogs();
    InstallColorDialogs();
    InstallPrintHooks();
    DruckPositionHooks().ActiveSheet = []() -> std::optional<TPrintSheetPicture> {
        TChild* child = Master ? Master->ActiveChild() : nullptr;
        if (!child) return std::nullopt;
        return SheetPictureOf(child->Sheet());
    };
}

int RunZorbit(int argc, char** argv) {
    MaskFloatingPointExceptions();
    TApplication app(argc, argv);
    InitializeServices();
    TSplash splash;
    splash.Show();
    QGuiApplication::setApplicationDisplayName(QString());
    std::unique_ptr<TMaster> master;
    try {
        master = std::make_unique<TMaster>();
        master->show();
    } catch (...) {
        splash.Close(nullptr);
        ShowApplicationException(std::current_exception());
        return 1;
    }
    splash.Close(master.get());

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const TFirstDocument first = ChooseFirstDocument(arguments, IsExistingFile);
    try {
        if (first.open) {
            master->OpenDocument(first.path);
        } else {
            master->mnuNeuClick();  // the label-type dialog
        }
    } catch (...) {
        ShowApplicationException(std::current_exception());
    }

    int result = 0;
    if (!app.Terminated()) result = TApplication::exec();
    master.reset();
    return result;
}
