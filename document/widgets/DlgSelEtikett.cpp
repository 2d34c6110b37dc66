#include "document/widgets/DlgSelEtikett.h"

#include "document/Etikett.h"
#include "document/widgets/DlgDefEtikett.h"
#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/ZRRegIniFile.h"
#include "foundation/widgets/DialogStyle.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtGui/QPainter>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QVBoxLayout>


namespace {

constexpr const char* kBuiltInEntryText = "1";
constexpr const char* kGeneralSection = "Allgemein";
constexpr const char* kDefaultTypeValue = "DefVorlage";

gdi::Color ColorOf(const QColor& c) { return gdi::Rgb(c.red(), c.green(), c.blue()); }

// Rows of 16 pixels; the name 3 pixels from the left and 1 from the top.
class TEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), TDlgSelEtikett::kItemHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        painter->setFont(option.font);
        const QRect text = option.rect.adjusted(3, 1, 0, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    }
};

// The reduced drawing of the selected sheet.
class TPreviewBox : public QWidget {
public:
    explicit TPreviewBox(TDlgSelEtikett* dialog, QWidget* parent) : QWidget(parent), dialog_(dialog) {
        setObjectName(QStringLiteral("pbVorschau"));
        setFixedSize(TDlgSelEtikett::kPreviewSize, TDlgSelEtikett::kPreviewSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const gdi::Bitmap picture = dialog_->RenderPreview(width(), height(), ColorOf(palette().color(QPalette::Window)));
        QPainter painter(this);
        painter.drawImage(0, 0, picture.image());
    }

private:
    TDlgSelEtikett* dialog_;
};

}  // namespace

TDlgSelEtikett::TDlgSelEtikett(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    BuildWindow();
    FillList();
    SelectEntry(0);
    cmdNeu->hide();
    cmdAendern->hide();
    cmdLoeschen->hide();
    const int remembered = Settings().ReadInteger(kGeneralSection, kDefaultTypeValue, 0);
    if (remembered >= 0 && remembered < EntryCount()) SelectEntry(remembered);

    EditDefinition = [this](TLabelTypeDefinition& definition) { return EditLabelTypeDefinition(definition, this); };
    Confirm = [this](const QString& question) {
        return QMessageBox::question(this, LocalizedText("IDS_mtConfimation"), question,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    // The list shows the sheets' names, set by the dialog itself.
    Localizer().AddExportExclusion(QStringLiteral("TDlgSelEtikett"), QStringLiteral("lbEtikett"), QStringLiteral("Items"));
    Localize();
}

TDlgSelEtikett::~TDlgSelEtikett() = default;

void TDlgSelEtikett::BuildWindow() {
    setWindowTitle(QStringLiteral("Vorlagentyp wählen"));
    lbEtikett = Named(new QListWidget(this), "lbEtikett");
    lbEtikett->setItemDelegate(new TEntryDelegate(lbEtikett));
    lbEtikett->setUniformItemSizes(true);
    lbEtikett->setMinimumSize(420, 280);

    rgAusrichtung = Named(new QGroupBox(QStringLiteral("Ausrichtung"), this), "rgAusrichtung");
    rbHochformat = Named(new QRadioButton(QStringLiteral("&Hochformat"), rgAusrichtung), "rbHochformat");
    rbQuerformat = Named(new QRadioButton(QStringLiteral("&Querformat"), rgAusrichtung), "rbQuerformat");
    auto* orientations = new QButtonGroup(rgAusrichtung);
    orientations->addButton(rbHochformat, 0);
    orientations->addButton(rbQuerformat, 1);
    rbHochformat->setChecked(true);
    auto* orientationLayout = new QVBoxLayout(rgAusrichtung);
    orientationLayout->addWidget(rbHochformat);
    orientationLayout->addWidget(rbQuerformat);

    gbVorschau = Named(new QGroupBox(QStringLiteral("Vorschau"), this), "gbVorschau");
    pbVorschau = new TPreviewBox(this, gbVorschau);
    auto* previewLayout = new QVBoxLayout(gbVorschau);
    previewLayout->addWidget(pbVorschau, 0, Qt::AlignCenter);

    BtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    BtnOK->setDefault(true);
    BtnAbbrechen = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "BtnAbbrechen");
    BtnOeffnen = Named(new QPushButton(QStringLiteral("Öffnen..."), this), "BtnOeffnen");
    BtnOeffnen->hide();
    cmdNeu = Named(new QPushButton(QStringLiteral("&Neu..."), this), "cmdNeu");
    cmdAendern = Named(new QPushButton(QStringLiteral("&Ändern..."), this), "cmdAendern");
    cmdLoeschen = Named(new QPushButton(QStringLiteral("&Löschen"), this), "cmdLoeschen");
    for (QPushButton* b : {BtnAbbrechen, BtnOeffnen, cmdNeu, cmdAendern, cmdLoeschen}) b->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(rgAusrichtung);
    side->addWidget(gbVorschau);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(lbEtikett, 1);
    body->addLayout(side);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BtnOeffnen, cmdNeu, cmdAendern, cmdLoeschen}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnAbbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    // A click makes the row current before it selects it; the selection is what counts.
    connect(lbEtikett, &QListWidget::itemSelectionChanged, this, [this] { lbEtikettClick(); });
    connect(lbEtikett, &QListWidget::itemDoubleClicked, this, [this] { BtnOKClick(); });
    connect(orientations, &QButtonGroup::idClicked, this, [this] { rgAusrichtungClick(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(BtnAbbrechen, &QPushButton::clicked, this, [this] { reject(); });
    connect(BtnOeffnen, &QPushButton::clicked, this, [this] { BtnOeffnenClick(); });
    connect(cmdNeu, &QPushButton::clicked, this, [this] { cmdNeuClick(); });
    connect(cmdAendern, &QPushButton::clicked, this, [this] { cmdAendernClick(); });
    connect(cmdLoeschen, &QPushButton::clicked, this, [this] { cmdLoeschenClick(); });
}

void TDlgSelEtikett::FillList() {
    for (const TBuiltInLabelType& type : BuiltInLabelTypes()) {
        auto sheet = std::make_unique<TEtikett>();
        AssignBuiltInLabelType(*sheet, type);
        AddEntry(kBuiltInEntryText, std::move(sheet));
    }
    std::vector<std::string> names;
    Settings().ReadSection(kUserLabelTypeSection, names);
    for (const std::string& name : names) {
        auto sheet = std::make_unique<TEtikett>();
        if (sheet->LoadFromSettings(kUserLabelTypeSection, name)) AddEntry(name, std::move(sheet));
    }
}

void TDlgSelEtikett::AddEntry(std::string text, std::unique_ptr<TEtikett> sheet) {
    lbEtikett->addItem(AnsiToUnicode(sheet->Name));
    entries_.push_back({std::move(text), std::move(sheet)});
}

void TDlgSelEtikett::AfterLocalize() {
    // The built-in types are named in the current language.
    const auto types = BuiltInLabelTypes();
    for (size_t i = 0; i < types.size() && i < entries_.size(); ++i) {
        entries_[i].Sheet->SetName(BuiltInLabelTypeName(types[i]));
        lbEtikett->item(static_cast<int>(i))->setText(AnsiToUnicode(entries_[i].Sheet->Name));
    }
    pbVorschau->update();
}

int TDlgSelEtikett::SelectedIndex() const {
    const int row = lbEtikett->currentRow();
    return row >= 0 && row < EntryCount() && lbEtikett->item(row)->isSelected() ? row : -1;
}

void TDlgSelEtikett::SelectEntry(int index) {
    if (index < 0 || index >= EntryCount()) return;
    {
        const QSignalBlocker quiet(lbEtikett);
        lbEtikett->setCurrentRow(index);
    }
    lbEtikettClick();
}

TEtikett* TDlgSelEtikett::GetSelectedEtikett() const {
    const int index = SelectedIndex();
    return index >= 0 ? entries_[index].Sheet.get() : nullptr;
}

void TDlgSelEtikett::SelectMatching(const TEtikett& sheet) {
    SelectEntry(0);
    for (int i = 0; i < EntryCount(); ++i) {
        if (entries_[i].Sheet->IsSameGeometry(sheet)) {
            SelectEntry(i);
            return;
        }
    }
}

int TDlgSelEtikett::OrientationIndex() const { return rbQuerformat->isChecked() ? 1 : 0; }

void TDlgSelEtikett::SetOrientationIndex(int index) {
    (index != 0 ? rbQuerformat : rbHochformat)->setChecked(true);
    rgAusrichtungClick();
}

void TDlgSelEtikett::ShowOpenButton() const { BtnOeffnen->show(); }

bool TDlgSelEtikett::SelectedNumber(int32_t& number) const {
    const int index = SelectedIndex();
    return index >= 0 && ParseLabelTypeNumber(entries_[index].Text, number);
}

void TDlgSelEtikett::lbEtikettClick() {
    TEtikett* sheet = GetSelectedEtikett();
    if (!sheet) return;
    SetOrientationIndex(sheet->Orientation != 0 ? 1 : 0);
    rgAusrichtung->setEnabled(!(sheet->Capabilities & kCapabilityOrientationLocked));
    int32_t number = 0;
    const bool own = SelectedNumber(number) && number >= kFirstUserLabelTypeNumber;
    cmdAendern->setEnabled(own);
    cmdLoeschen->setEnabled(own);
}

void TDlgSelEtikett::rgAusrichtungClick() {
    if (TEtikett* sheet = GetSelectedEtikett()) sheet->SetOrientation(static_cast<uint8_t>(OrientationIndex()));
    pbVorschau->update();
}

void TDlgSelEtikett::BtnOKClick() {
    TEtikett* sheet = GetSelectedEtikett();
    if (!sheet) return;
    sheet->SetOrientation(static_cast<uint8_t>(OrientationIndex()));
    Settings().WriteInteger(kGeneralSection, kDefaultTypeValue, SelectedIndex());
    done(kResultOK);
}

void TDlgSelEtikett::BtnOeffnenClick() { done(kResultOpen); }

void TDlgSelEtikett::reject() { done(kResultCancel); }

void TDlgSelEtikett::cmdNeuClick() {
    TLabelTypeDefinition definition;
    if (!EditDefinition(definition)) return;
    auto sheet = std::make_unique<TEtikett>();
    ApplyLabelTypeDefinition(*sheet, definition);
    const std::string number = std::to_string(NextUserLabelTypeNumber());
    sheet->SaveToSettings(kUserLabelTypeSection, number);
    AddEntry(number, std::move(sheet));
    SelectEntry(EntryCount() - 1);
}

void TDlgSelEtikett::cmdAendernClick() {
    int32_t number = 0;
    TEtikett* sheet = GetSelectedEtikett();
    if (!sheet || !SelectedNumber(number) || number < kFirstUserLabelTypeNumber) return;
    TLabelTypeDefinition definition = LabelTypeDefinitionOf(*sheet);
    if (!EditDefinition(definition)) return;
    ApplyLabelTypeDefinition(*sheet, definition);
    const int index = SelectedIndex();
    sheet->SaveToSettings(kUserLabelTypeSection, entries_[index].Text);
    lbEtikett->item(index)->setText(AnsiToUnicode(sheet->Name));
    lbEtikettClick();
}

void TDlgSelEtikett::cmdLoeschenClick() {
    int32_t number = 0;
    if (!SelectedNumber(number) || number < kFirstUserLabelTypeNumber) return;
    if (!Confirm(LocalizedText("IDS_DLGSELETIKETTMSG1"))) return;
    try {
        const int index = SelectedIndex();
        Settings().DeleteKey(kUserLabelTypeSection, entries_[index].Text);
        delete lbEtikett->takeItem(index);
        entries_.erase(entries_.begin() + index);
        SelectEntry(0);
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("Label type not deleted: ") + QString::fromUtf8(e.what()));
    }
}

gdi::Bitmap TDlgSelEtikett::RenderPreview(int width, int height, gdi::Color background) {
    gdi::BitmapCanvas canvas(width, height);
    canvas.FillRect({0, 0, width, height}, gdi::SolidBrush(background));
    if (TEtikett* sheet = GetSelectedEtikett()) DrawLabelTypePreview(canvas, width, height, *sheet);
    return canvas.bitmap();
}

void DrawLabelTypePreview(gdi::Canvas& canvas, int width, int height, TEtikett& sheet) {
    // Until reset, one device unit is one millimetre: the zoom alone scales.
    TScaleCanvas scale(&canvas);
    scale.Brush() = gdi::SolidBrush(gdi::Rgb(255, 255, 255));
    const bool tall = sheet.PageHeight > sheet.PageWidth;
    const float longSide = tall ? sheet.PageHeight : sheet.PageWidth;
    const float shortSide = tall ? sheet.PageWidth : sheet.PageHeight;
    const auto zoom = [&scale](int box, float length) { scale.SetZoom(static_cast<float>((box - 1) / double(length))); };
    // The long side runs down the box when a tall page stands or a wide one is turned.
    if (tall == (sheet.Orientation == 0)) {
        zoom(height, longSide);
        scale.SetPhysicalOffsetX((scale.MMToPixel(shortSide) - width) / 2);
    } else {
        zoom(width, longSide);
        scale.SetPhysicalOffsetY((scale.MMToPixel(shortSide) - height) / 2);
    }
    sheet.DrawSheet(scale);
}

// ---- entry functions

TLabelTypeChoice ChooseLabelType(bool offerOpen, QWidget* parent) {
    TDlgSelEtikett dialog(parent);
    if (offerOpen) dialog.ShowOpenButton();
    TLabelTypeChoice choice;
    const int result = dialog.exec();
    if (result == TDlgSelEtikett::kResultOpen) {
        choice.Result = TLabelTypeResult::OpenDocument;
    } else if (result == TDlgSelEtikett::kResultOK && dialog.GetSelectedEtikett()) {
        choice.Result = TLabelTypeResult::Chosen;
        choice.Sheet = std::make_unique<TEtikett>();
        choice.Sheet->Assign(*dialog.GetSelectedEtikett());
    }
    return choice;
}

std::unique_ptr<TEtikett> ChangeLabelType(const TEtikett& current, QWidget* parent) {
    TDlgSelEtikett dialog(parent);
    dialog.SelectMatching(current);
    dialog.SetOrientationIndex(current.Orientation != 0 ? 1 : 0);
    if (dialog.exec() != TDlgSelEtikett::kResultOK || !dialog.GetSelectedEtikett()) return nullptr;
    auto sheet = std::make_unique<TEtikett>();
    sheet->Assign(*dialog.GetSelectedEtikett());
    return sheet;
}
