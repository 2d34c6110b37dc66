// The document window's file commands: Save, Save As, Save as template, the
// template manager, the metafile and INI exports, and Close.

#include "app/Child.h"

#include "app/Last4Files.h"
#include "app/Master.h"
#include "app/MessageBoxes.h"
#include "controls/DlgInputQuery.h"

#include "design/DocumentFile.h"
#include "design/EinzelEtikett.h"
#include "design/FigureClipboard.h"
#include "design/TemplateIndex.h"
#include "design/widgets/DlgVorlagenVerwalten.h"
#include "design/widgets/OpenDocumentDialog.h"
#include "document/Etikett.h"
#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

namespace {

const char* const kGeneralSection = "Allgemein";
const char* const kSaveFolderValue = "SaveDir";
const QString kTemplateSection = QStringLiteral("Template");

QString RunSaveDialog(const TChild::TSaveDialogRequest& request, QWidget* parent) {
    QFileDialog dialog(parent, request.Title, request.InitialPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(request.DefaultExt);
    dialog.setNameFilters(FileDialogNameFilters(request.Filter));
    // QFileDialog asks before overwriting and accepts only existing folders.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void ShowTemplateManager(QWidget* owner) {
    TDlgVorlagenVerwalten dialog(TChild::Templates(), owner);
    dialog.exec();
}

}  // namespace

std::function<QString(const TChild::TSaveDialogRequest&, QWidget*)> TChild::SaveDialog = RunSaveDialog;
std::function<bool(const QString&, const QString&, QString&)> TChild::TemplateQuery =
    [](const QString& caption, const QString& prompt, QString& text) { return ShowInputQuery(caption, prompt, text); };
std::function<void(QWidget*)> TChild::TemplateManager = ShowTemplateManager;
std::function<TTemplateIndex&()> TChild::Templates = []() -> TTemplateIndex& { return TemplateIndex(); };

void TChild::WriteDocumentFile(const QString& path) {
    CommitFieldEdit();
    TDocumentFile(*this).SaveToFile(path);
}

void TChild::ClearUndoStacks() {
    for (int32_t i = 0; i < DesignCount(); ++i) Design(i).ClearUndo();
}

void TChild::SaveDocumentTo(const QString& path) {
    WriteDocumentFile(path);
    // Only what is on the disk now changes the window's state.
    SetFileName(path);
    named_ = true;
    SetModified(false);
    ClearUndoStacks();
    if (Master) Master->RecentFiles().AddFile(path);
    RequestToolStateRefresh();
}

void TChild::mnuSpeichernClick() {
    if (!named_ || IsCDROMDrive(fileName_))
        mnuSpeichernUnterClick();
    else
        SaveDocumentTo(fileName_);
}

TChild::TSaveDialogRequest TChild::SaveAsRequest() const {
    TSaveDialogRequest request;
    request.Title = LocalizedText("IDS_CHILDSAVE1");
    request.Filter = DocumentFileFilter();
    request.DefaultExt = DefaultExt;
    const QFileInfo file(fileName_);
    QString folder = IsCDROMDrive(fileName_) ? QString() : file.absolutePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = GetPersonalFolder();
    request.InitialPath = JoinPath(folder, file.fileName());
    return request;
}

void TChild::mnuSpeichernUnterClick() {
    const QString path = SaveDialog(SaveAsRequest(), window());
    if (path.isEmpty()) {
        saveAsCancelled_ = true;
        return;
    }
    SaveDocumentTo(path);
    Settings().WriteText(kGeneralSection, kSaveFolderValue, QFileInfo(path).absolutePath() + QLatin1Char('/'));
}

void TChild::mnuSpeichernVorlageClick() {
    TSaveTemplateUi ui;
    ui.InputQuery = TemplateQuery;
    ui.ShowError = [this](const QString& text) { ShowMessageBox(TMessageKind::Error, text, window()); };
    ui.ShowInformation = [this](const QString& text) { ShowMessageBox(TMessageKind::Information, text, window()); };
    SaveAsTemplateCommand(Templates(), ui, [this](const QString& path) { WriteDocumentFile(path); });
}

void TChild::mnuVorlagenVerwaltenClick() { TemplateManager(Master ? static_cast<QWidget*>(Master) : window()); }

QString TChild::MetafileExportPath() { return JoinPath(GetDataFolder(), QStringLiteral("export.wmf")); }

void TChild::mnuExportClick() {
    if (!currentDesign_) return;
    SaveSelectionAsMetafile(*currentDesign_, MetafileExportPath());
    RequestToolStateRefresh();
}

void TChild::ExportToIni(const QString& path) {
    TMyMemIniFile ini;
    ini.SetDecimalSeparator(QLatin1Char(','));
    ini.WriteFloat(kTemplateSection, QStringLiteral("Width"), ShortestDouble(etikett_->LabelWidth));
    ini.WriteFloat(kTemplateSection, QStringLiteral("Height"), ShortestDouble(etikett_->LabelHeight));
    ini.WriteBool(kTemplateSection, QStringLiteral("Landscape"), etikett_->Orientation == 1);
    if (currentDesign_) currentDesign_->ExportTextFiguresToIni(ini);
    ini.SaveToFile(QFile::encodeName(path).toStdString());
}

void TChild::mnuSchliessenClick() {
    if (QWidget* frame = parentWidget())
        frame->close();
    else
        close();
}
