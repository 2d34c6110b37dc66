#include "content/widgets/BarcodeDlg.h"

#include "content/DataSet.h"
#include "controls/CtrlFocus.h"
#include "controls/EnterAsTab.h"
#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/widgets/DialogStyle.h"
#include "platform/gdi/PainterCanvas.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QValidator>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <array>

namespace {

// The paint box of the preview: its painting is the dialog's.
class TPreviewBox : public QWidget {
public:
    explicit TPreviewBox(TBarcodeDlg* dialog, QWidget* parent) : QWidget(parent), dialog_(dialog) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        dialog_->PaintPreview(painter, size());
    }

private:
    TBarcodeDlg* dialog_;
};

// The controls of one symbology.
enum class TCheckBoxState { Free, TickedAndLocked };
struct TTypeControls {
    const char* promptKey;
    const char* validKey;    // a text of the localizer, or nullptr ...
    const char* validFixed;  // ... a fixed text
    TCheckBoxState checkDigit;
    int textLimit;           // 0: none
    bool addOn;
    bool checkDigitLabels;
};

constexpr const char* kCode128Characters = "0-9, A-Z, !\"#$%&`()*+,-./:;<=>?\xC2\xA7";  // UTF-8

constexpr std::array<TTypeControls, kBarcodeTypeCount> kTypeControls = {{
    {"IDS_BARCODE1", "IDS_BARCODE2", nullptr, TCheckBoxState::TickedAndLocked, 7, true, true},       // EAN 8
    {"IDS_BARCODE3", "IDS_BARCODE2", nullptr, TCheckBoxState::TickedAndLocked, 12, true, true},      // EAN 13
    {"IDS_BARCODE4", "IDS_BARCODE2", nullptr, TCheckBoxState::TickedAndLocked, 48, false, false},    // EAN 128
    {"IDS_BARCODE5", "IDS_BARCODE2", nullptr, TCheckBoxState::Free, 0, false, false},                // 2/5 Standard
    {"IDS_BARCODE5", "IDS_BARCODE2", nullptr, TCheckBoxState::Free, 0, false, false},                // 2/5 Interleaved
    {"IDS_BARCODE6", nullptr, kCode128Characters, TCheckBoxState::TickedAndLocked, 0, false, false}, // Code 128
    {"IDS_BARCODE7", nullptr, "0-9, A-Z, -.$/+%", TCheckBoxState::Free, 0, false, false},           // Code 39
    {"IDS_BARCODE7", nullptr, "0-9, -$:/.+", TCheckBoxState::TickedAndLocked, 0, false, false},      // Codabar
    {"IDS_BARCODE7", nullptr, "0-9, A-Z, -.$/+%", TCheckBoxState::TickedAndLocked, 0, false, false}, // Code 93
    {"IDS_BARCODE11", "IDS_BARCODE2", nullptr, TCheckBoxState::TickedAndLocked, 13, false, true},    // ITF-14
    {"IDS_BARCODE9", "IDS_BARCODE2", nullptr, TCheckBoxState::TickedAndLocked, 11, true, true},      // UPC-A
    {"IDS_BARCODE10", "IDS_BARCODE2", nullptr, TCheckBoxState::TickedAndLocked, 7, true, true},      // UPC-E
}};

bool IsEanOrUpc(TBarcodeTyp type) {
    return type == btEAN8 || type == btEAN13 || type == btUPC_A || type == btUPC_E;
}

void CopyBarcodeSettings(const TZRBarcode& from, TZRBarcode& to) {
    to.SetBarcodeType(from.BarcodeType());
    to.SetText(from.Text());
    to.SetAddOn(from.AddOn());
    to.SetCheckDigit(from.CalcCheckDigit());
    to.SetShowText(from.ShowText());
    to.SetAECOC(from.AECOC());
    to.SetDataField(from.DataField());
}

}  // namespace

// A length limit for typing and pasting that, unlike the edit's own, never
// shortens a text set by code: a stored 13-digit EAN-13 stays whole.
class TLengthLimit : public QValidator {
public:
    explicit TLengthLimit(QLineEdit* edit) : QValidator(edit) {
        edit->setValidator(this);
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { length_ = text.size(); });
    }
    int limit = 0;  // 0: none

    // Called with the edited text; a text that grows beyond the limit is cut
    // back to the limit or to the length it had.
    State validate(QString& input, int& pos) const override {
        const qsizetype most = std::max<qsizetype>(limit, length_);
        if (limit > 0 && input.size() > most) {
            input.truncate(most);
            pos = std::min(pos, static_cast<int>(most));
        }
        return Acceptable;
    }

private:
    qsizetype length_ = 0;
};

TBarcodeDlg::TBarcodeDlg(QWidget* parent) : TLocalizerDialog(parent), barcode_(std::make_unique<TZRBarcode>()) {
    Beep = [] { QApplication::beep(); };
    barcode_->SetWidth(70);
    barcode_->SetHeight(20);
    BuildLayout();
    Connect();
    UpdateTypeControls();
}

TBarcodeDlg::~TBarcodeDlg() = default;

int TBarcodeDlg::TextLimit() const { return textLimit_->limit; }

int TBarcodeDlg::AddOnLimit() const { return addOnLimit_->limit; }

void TBarcodeDlg::BuildLayout() {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Barcode bearbeiten"));
    GroupBox2 = Named(new QGroupBox(QStringLiteral("Barcodetyp"), this), "GroupBox2");
    cbTyp = Named(new QComboBox(GroupBox2), "cbTyp");
    for (int type = 0; type < kBarcodeTypeCount; ++type)
        cbTyp->addItem(QString::fromLatin1(BarcodeTypeNames[static_cast<size_t>(type)]), type);
    (new QVBoxLayout(GroupBox2))->addWidget(cbTyp);

    GroupBox3 = Named(new QGroupBox(QStringLiteral("Barcodetext"), this), "GroupBox3");
    panDBFeld = Named(new QFrame(GroupBox3), "panDBFeld");
    Label1 = Named(new QLabel(QStringLiteral("Datenbankfeld:"), panDBFeld), "Label1");
    cbDatenbankfelder = Named(new QComboBox(panDBFeld), "cbDatenbankfelder");
    auto* fieldRow = new QHBoxLayout(panDBFeld);
    fieldRow->setContentsMargins(0, 0, 0, 0);
    fieldRow->addWidget(Label1);
    fieldRow->addWidget(cbDatenbankfelder, 1);
    panDBFeld->setVisible(false);

    auto* Panel1 = Named(new QWidget(GroupBox3), "Panel1");
    lblText = Named(new QLabel(Panel1), "lblText");
    edText = Named(new QLineEdit(Panel1), "edText");
    lblText->setBuddy(edText);
    lblZusatz = Named(new QLabel(QStringLiteral("2 o. 5 Ziffern Zusatz"), Panel1), "lblZusatz");
    lblZusatz->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edZusatz = Named(new QLineEdit(Panel1), "edZusatz");
    edZusatz->setFixedWidth(70);
    lblPruefziffer = Named(new QLabel(QStringLiteral("0"), Panel1), "lblPruefziffer");
    lblPruefziffer->setAlignment(Qt::AlignCenter);
    lblPruefziffer->setMinimumWidth(60);
    QFont big = lblPruefziffer->font();
    big.setBold(true);
    lblPruefziffer->setFont(big);
    lblPruefzifferB = Named(new QLabel(QStringLiteral("Prüfziffer"), Panel1), "lblPruefzifferB");
    lblPruefzifferB->setAlignment(Qt::AlignCenter);
    lblValidEntriesB = Named(new QLabel(QStringLiteral("Gültige Eingabezeichen:"), Panel1), "lblValidEntriesB");
    lblValidEntries = Named(new QLabel(Panel1), "lblValidEntries");
    lblValidEntries->setWordWrap(true);
    lblValidEntries->setMinimumHeight(2 * lblValidEntries->fontMetrics().lineSpacing());
    lblValidEntries->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* grid = new QGridLayout(Panel1);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(lblText, 0, 0);
    grid->addWidget(lblZusatz, 0, 1);
    grid->addWidget(edText, 1, 0);
    grid->addWidget(edZusatz, 1, 1);
    grid->addWidget(lblPruefziffer, 1, 2);
    grid->addWidget(lblPruefzifferB, 2, 2);
    grid->addWidget(lblValidEntriesB, 2, 0);
    grid->addWidget(lblValidEntries, 3, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    auto* textBox = new QVBoxLayout(GroupBox3);
    textBox->addWidget(panDBFeld);
    textBox->addWidget(Panel1);

    GroupBox1 = Named(new QGroupBox(QStringLiteral("Barcodeoptionen"), this), "GroupBox1");
    chPruefziffer = Named(new QCheckBox(QStringLiteral("Prüfziffer berechnen"), GroupBox1), "chPruefziffer");
    chPruefziffer->setChecked(true);
    chTextAnzeigen = Named(new QCheckBox(QStringLiteral("Text anzeigen"), GroupBox1), "chTextAnzeigen");
    chTextAnzeigen->setChecked(true);
    chAECOCcompatible = Named(new QCheckBox(QStringLiteral("GS1-SPAIN (AECOC) kompatibel"), GroupBox1), "chAECOCcompatible");
    chAECOCcompatible->setVisible(false);
    lblAECOC = Named(new QLabel(QStringLiteral("(ver ayuda GS1-SPAIN)"), GroupBox1), "lblAECOC");
    lblAECOC->setVisible(false);
    auto* options = new QHBoxLayout(GroupBox1);
    for (QWidget* w : {static_cast<QWidget*>(chPruefziffer), static_cast<QWidget*>(chTextAnzeigen),
                       static_cast<QWidget*>(chAECOCcompatible), static_cast<QWidget*>(lblAECOC)})
        options->addWidget(w);
    options->addStretch();

    panPreview = Named(new QFrame(this), "panPreview");
    panPreview->setFrameStyle(QFrame::Box | QFrame::Plain);
    panPreview->setFixedSize(525, 109);
    pbPreview = Named(new TPreviewBox(this, panPreview), "pbPreview");
    auto* previewFill = new QVBoxLayout(panPreview);
    previewFill->setContentsMargins(1, 1, 1, 1);
    previewFill->addWidget(pbPreview);

    BtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    BtnAbbrechen = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "BtnAbbrechen");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnAbbrechen);

    auto* form = new QVBoxLayout(this);
    form->addWidget(GroupBox2);
    form->addWidget(GroupBox3);
    form->addWidget(GroupBox1);
    form->addWidget(panPreview, 0, Qt::AlignHCenter);
    form->addStretch();
    form->addLayout(buttons);
    kEnterAsTab1 = Named(new TZREnterAsTab(this), "kEnterAsTab1");
    ZRCtrlFocus1 = Named(new TZRCtrlFocus(this), "ZRCtrlFocus1");
    // The handlers stay valid while the focus moves as the dialog is destroyed.
    ZRCtrlFocus1->SetOnBeforeFocus([](QObject*, QWidget* control, bool& change, QColor&) {
        ZRCtrlFocus1BeforeFocus(control, change);
    });
    ZRCtrlFocus1->SetOnAfterFocus([](QObject*, QWidget* control, bool& change, QColor&) {
        ZRCtrlFocus1AfterFocus(control, change);
    });
    resize(549, 502);
}

void TBarcodeDlg::Connect() {
    connect(cbTyp, &QComboBox::currentIndexChanged, this, [this] { cbTypChange(); });
    connect(edText, &QLineEdit::textChanged, this, [this] { edTextChange(); });
    connect(edZusatz, &QLineEdit::textChanged, this, [this] { edZusatzChange(); });
    connect(chPruefziffer, &QCheckBox::toggled, this, [this] { chPruefzifferClick(); });
    connect(chTextAnzeigen, &QCheckBox::toggled, this, [this] { chTextAnzeigenClick(); });
    connect(chAECOCcompatible, &QCheckBox::toggled, this, [this] { chAECOCcompatibleClick(); });
    connect(cbDatenbankfelder, &QComboBox::currentIndexChanged, this, [this] { cbDatenbankfelderChange(); });
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    textLimit_ = new TLengthLimit(edText);
    addOnLimit_ = new TLengthLimit(edZusatz);
    edText->installEventFilter(this);
    edZusatz->installEventFilter(this);
}

void TBarcodeDlg::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    TLocalizerDialog::showEvent(event);
}

void TBarcodeDlg::FormShow() {
    shown_ = true;
    {
        const QSignalBlocker quiet(cbTyp);
        cbTyp->setCurrentIndex(cbTyp->findData(static_cast<int>(barcode_->BarcodeType())));
    }
    // The change handlers run also when the text is already shown.
    edText->setText(AnsiToUnicode(barcode_->Text()));
    edZusatz->setText(AnsiToUnicode(barcode_->AddOn()));
    edTextChange();
    edZusatzChange();
    chPruefziffer->setChecked(barcode_->CalcCheckDigit());
    chTextAnzeigen->setChecked(barcode_->ShowText());
    chAECOCcompatible->setChecked(barcode_->AECOC());
    panDBFeld->setVisible(dataSet_ != nullptr);
    if (dataSet_) {
        FillFieldList();
        SetTextEntryEnabled(cbDatenbankfelder->currentIndex() < 1);
    }
    UpdateTypeControls();
    // The text is what the user came for: the first keys typed go there.
    if (edText->isEnabled()) {
        edText->setFocus(Qt::OtherFocusReason);
        edText->selectAll();
    }
}

void TBarcodeDlg::FillFieldList() {
    const QSignalBlocker quiet(cbDatenbankfelder);
    cbDatenbankfelder->clear();
    cbDatenbankfelder->addItem(QStringLiteral(" "));
    for (const TDataSetField& field : dataSet_->Fields())
        if (IsBarcodeFieldType(field.type)) cbDatenbankfelder->addItem(AnsiToUnicode(field.name));
    cbDatenbankfelder->setCurrentIndex(
        cbDatenbankfelder->findText(AnsiToUnicode(barcode_->DataField()), Qt::MatchExactly));
}

void TBarcodeDlg::UpdateTypeControls() {
    lblPruefziffer->setVisible(false);
    lblPruefzifferB->setVisible(false);
    lblZusatz->setVisible(false);
    edZusatz->setVisible(false);
    chPruefziffer->setEnabled(true);
    textLimit_->limit = 0;
    addOnLimit_->limit = 0;
    const TBarcodeTyp type = barcode_->BarcodeType();
    if (type >= kBarcodeTypeCount) return;
    const TTypeControls& c = kTypeControls[type];
    lblText->setText(LocalizedText(c.promptKey));
    lblValidEntries->setText(c.validKey ? LocalizedText(c.validKey) : QString::fromUtf8(c.validFixed));
    if (c.checkDigit == TCheckBoxState::TickedAndLocked) {
        chPruefziffer->setChecked(true);
        chPruefziffer->setEnabled(false);
    }
    textLimit_->limit = c.textLimit;
    lblZusatz->setVisible(c.addOn);
    edZusatz->setVisible(c.addOn);
    if (c.addOn) addOnLimit_->limit = 5;
    lblPruefziffer->setVisible(c.checkDigitLabels);
    lblPruefzifferB->setVisible(c.checkDigitLabels);
}

void TBarcodeDlg::AfterLocalize() { UpdateTypeControls(); }

void TBarcodeDlg::PaintPreview(QPainter& painter, const QSize& size) {
    gdi::PainterCanvas device(painter, gdi::DeviceKind::Screen, gdi::ScreenCaps());
    TScaleCanvas canvas(&device);
    canvas.Reset(kResetScreen);
    canvas.SetDeviceOffsetX(-(size.width() / 2));
    canvas.SetDeviceOffsetY(-(size.height() / 2));
    const TBarcodeTyp type = barcode_->BarcodeType();
    canvas.SetZoom(type == btITF14 ? 0.65f : IsEanOrUpc(type) ? 0.5f : 0.8f);
    barcode_->Draw(canvas);
}

// ---- handlers

void TBarcodeDlg::cbTypChange() {
    barcode_->SetBarcodeType(static_cast<TBarcodeTyp>(cbTyp->currentData().toInt()));
    edText->clear();
    edZusatz->clear();
    edTextChange();
    edZusatzChange();
    // The blank first item stands for no field.
    const std::string field = SelectedFieldName();
    barcode_->SetDataField(field);
    if (dataSet_ && !field.empty()) {
        dataSet_->First();
        barcode_->SetText(dataSet_->FieldValue(field));
        edText->setText(AnsiToUnicode(barcode_->Text()));
    }
    UpdateTypeControls();
    pbPreview->update();
}

void TBarcodeDlg::edTextChange() {
    barcode_->SetText(UnicodeToAnsi(edText->text()));
    pbPreview->update();
    lblPruefziffer->setText(AnsiToUnicode(barcode_->GetCheckDigit()));
}

void TBarcodeDlg::edZusatzChange() {
    barcode_->SetAddOn(UnicodeToAnsi(edZusatz->text()));
    pbPreview->update();
}

void TBarcodeDlg::chPruefzifferClick() {
    barcode_->SetCheckDigit(chPruefziffer->isChecked());
    pbPreview->update();
}

void TBarcodeDlg::chTextAnzeigenClick() {
    barcode_->SetShowText(chTextAnzeigen->isChecked());
    pbPreview->update();
}

void TBarcodeDlg::chAECOCcompatibleClick() {
    barcode_->SetAECOC(chAECOCcompatible->isChecked());
    pbPreview->update();
}

void TBarcodeDlg::cbDatenbankfelderChange() {
    if (cbDatenbankfelder->currentIndex() > 0 && dataSet_) {
        const std::string field = SelectedFieldName();
        barcode_->SetDataField(field);
        barcode_->SetText(dataSet_->FieldValue(field));
        edText->setText(AnsiToUnicode(barcode_->Text()));
        SetTextEntryEnabled(false);
    } else {
        barcode_->SetDataField({});
        SetTextEntryEnabled(true);
    }
    pbPreview->update();
}

std::string TBarcodeDlg::SelectedFieldName() const {
    return cbDatenbankfelder->currentIndex() > 0 ? UnicodeToAnsi(cbDatenbankfelder->currentText()) : std::string();
}

void TBarcodeDlg::SetTextEntryEnabled(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(edText), static_cast<QWidget*>(edZusatz),
                       static_cast<QWidget*>(lblPruefziffer), static_cast<QWidget*>(lblPruefzifferB),
                       static_cast<QWidget*>(lblText), static_cast<QWidget*>(lblZusatz),
                       static_cast<QWidget*>(lblValidEntriesB), static_cast<QWidget*>(lblValidEntries)})
        w->setEnabled(on);
}

// ---- keys

bool TBarcodeDlg::FilterTypedText(QLineEdit* edit, const QString& typed) {
    QString accepted;
    for (const QChar ch : typed) {
        bool representable = true;
        char key = UnicodeToCp1252(ch.unicode(), &representable);
        if (representable) barcode_->FilterKey(key);
        if (!representable || key == 0) {
            Beep();
            return false;
        }
        accepted += QChar(Cp1252ToUnicode(static_cast<uint8_t>(key)));
    }
    if (accepted == typed) return true;
    edit->insert(accepted);
    return false;
}

bool TBarcodeDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == edText || watched == edZusatz)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && !FilterTypedText(static_cast<QLineEdit*>(watched), key->text())) return true;
    }
    return TLocalizerDialog::eventFilter(watched, event);
}

void TBarcodeDlg::ZRCtrlFocus1BeforeFocus(QWidget* control, bool& changeColor) {
    if (qobject_cast<QCheckBox*>(control)) changeColor = false;
}

void TBarcodeDlg::ZRCtrlFocus1AfterFocus(QWidget* control, bool& changeColor) {
    if (qobject_cast<QCheckBox*>(control)) changeColor = false;
}

bool ShowBarcodeDlg(TZRBarcode& barcode, TDataSet* dataSet, QWidget* parent) {
    TBarcodeDlg dialog(parent);
    CopyBarcodeSettings(barcode, dialog.PreviewBarcode());
    dialog.SetDataSet(dataSet);
    if (dialog.exec() != QDialog::Accepted) return false;
    CopyBarcodeSettings(dialog.PreviewBarcode(), barcode);
    return true;
}
