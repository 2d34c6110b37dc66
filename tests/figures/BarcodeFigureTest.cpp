// The barcode figure: its records and snapshot, the hit test over the whole
// frame, serial printing from a data set, the barcode dialog, and symbols
// drawn through the figure that an independent reader decodes again, also
// from a printed PDF.
#include "support/BarcodeDlgDriver.h"
#include "support/BarcodePictures.h"
#include "support/BarcodeSupport.h"
#include "support/FigureFakes.h"
#include "support/PdfPage.h"
#include "FigureTestSupport.h"

#include "content/DataSet.h"
#include "content/widgets/BarcodeDlg.h"
#include "figures/Barcode.h"
#include "figures/FigureDialogs.h"
#include "figures/widgets/FigureDialogs.h"
#include "foundation/ExportCanvas.h"
#include "foundation/FillData.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

using Op = gdi::RecordedCall::Op;

// The figure with the barcode's settings and geometry of the setup.
void Apply(TBarcode& figure, const BarcodeSetup& setup) {
    Apply(*figure.Barcode, setup);
    SetGeometry(figure, setup.centreX, setup.centreY, setup.width, setup.height, setup.angle);
}

struct Settings {
    TBarcodeTyp type;
    std::string text, addOn;
    bool check, show, aecoc;
    std::string dataField;
    bool operator==(const Settings&) const = default;
};

Settings SettingsOf(const TBarcode& f) {
    const TZRBarcode& b = *f.Barcode;
    return {b.BarcodeType(), b.Text(), b.AddOn(), b.CalcCheckDigit(), b.ShowText(), b.AECOC(), b.DataField()};
}

// A barcode with every setting away from its default.
TBarcode& Configure(TBarcode& figure) {
    BarcodeSetup setup = Symbol(btEAN13, "400638133393");
    setup.addOn = "52495";
    setup.checkDigit = false;
    setup.showText = false;
    setup.aecoc = true;
    setup.centreX = 30;
    setup.centreY = 40;
    setup.width = 35;
    setup.height = 20;
    setup.angle = 90;
    Apply(figure, setup);
    figure.Barcode->SetDataField("EAN");
    figure.SetFillColor(0x00FF00);
    return figure;
}

std::vector<uint8_t> TaggedValues(const std::function<void(TEtikettFiler&)>& write) {
    TMemoryStream stream;
    TEtikettFiler filer;
    filer.Stream = &stream;
    write(filer);
    return stream.Bytes();
}

std::vector<std::u16string> DrawnTexts(const gdi::RecordingCanvas& recording) {
    std::vector<std::u16string> texts;
    for (const auto& call : recording.Calls())
        if (call.op == Op::Text) texts.push_back(call.text);
    return texts;
}

}  // namespace

TEST(BarcodeFigure, RecordSnapshotAndCopyCarryEverySetting) {
    TBarcode figure(nullptr);
    EXPECT_EQ(figure.Kind, TFigureKind::Barcode);
    Configure(figure);
    const std::vector<uint8_t> bytes = ElementBytes(figure);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], ecBarcode);

    // The box's record, then -1 and the barcode's settings as tagged values.
    const std::vector<uint8_t> tail = TaggedValues([](TEtikettFiler& f) {
        f.WriteTaggedInteger(-1);
        f.WriteTaggedInteger(btEAN13);
        f.WriteTaggedString("400638133393");
        f.WriteTaggedString("52495");
        f.WriteTaggedBoolean(false);
        f.WriteTaggedBoolean(false);
        f.WriteTaggedBoolean(true);
        f.WriteTaggedString("EAN");
    });
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<ptrdiff_t>(tail.size())));

    const std::unique_ptr<TFigure> read = ReadElementBytes(bytes);
    auto* barcode = dynamic_cast<TBarcode*>(read.get());
    ASSERT_NE(barcode, nullptr);
    EXPECT_EQ(SettingsOf(*barcode), SettingsOf(figure));
    EXPECT_FLOAT_EQ(barcode->Barcode->Angle(), 90) << "the barcode object takes the figure's geometry";
    EXPECT_FLOAT_EQ(barcode->Barcode->CenterX, 30);
    EXPECT_EQ(ElementBytes(*barcode), bytes) << "written, read and written again";

    TBarcode fromSnapshot(nullptr);
    LoadSnapshot(fromSnapshot, SnapshotBytes(figure));
    EXPECT_EQ(SettingsOf(fromSnapshot), SettingsOf(figure));
    EXPECT_EQ(ElementBytes(fromSnapshot), bytes);

    const std::unique_ptr<TFigure> copy = figure.Clone();
    ASSERT_NE(dynamic_cast<TBarcode*>(copy.get()), nullptr);
    EXPECT_EQ(ElementBytes(*copy), bytes);
    TRechteck box(nullptr);
    EXPECT_THROW(figure.Assign(box), EInvalidCast);
    EXPECT_EQ(ElementBytes(figure), bytes) << "a refused copy changes nothing";
}

TEST(BarcodeFigure, OlderRecordTakesTheSymbologyFromTheFirstIntegerAndKeepsTheDefaults) {
    TRechteck box(nullptr);
    SetGeometry(box, 20, 30, 40, 15);
    std::vector<uint8_t> boxRecord = ElementBytes(box);
    boxRecord[0] = ecBarcode;
    for (const int32_t type : {btEAN8, btCode39}) {
        std::vector<uint8_t> bytes = boxRecord;
        const std::vector<uint8_t> older = TaggedValues([&](TEtikettFiler& f) {
            f.WriteTaggedInteger(type);
            f.WriteTaggedString("code39");
            f.WriteTaggedString("12");
            f.WriteTaggedBoolean(false);
            f.WriteTaggedBoolean(false);
        });
        bytes.insert(bytes.end(), older.begin(), older.end());
        bool aborted = true;
        const std::unique_ptr<TFigure> read = ReadElementBytes(bytes, nullptr, &aborted);
        auto* barcode = dynamic_cast<TBarcode*>(read.get());
        ASSERT_NE(barcode, nullptr) << type;
        EXPECT_FALSE(aborted);
        EXPECT_EQ(SettingsOf(*barcode), (Settings{static_cast<TBarcodeTyp>(type), "code39", "12", false, false, false, ""}));
        EXPECT_DOUBLE_EQ(barcode->Width, 40);
        // Saved again, it has the current layout.
        const std::vector<uint8_t> saved = ElementBytes(*barcode);
        const std::unique_ptr<TFigure> again = ReadElementBytes(saved);
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(ElementBytes(*again), saved);
        EXPECT_GT(saved.size(), bytes.size());
    }
}

TEST(BarcodeFigure, ASymbologyOfANewerFileCanStillBeSelectedAndIsSavedAsItWas) {
    FakeMMWindow view;
    FakeChild owner(view);
    TBarcode figure(&owner);
    BarcodeSetup setup = Symbol(40, "123");
    setup.centreX = 50;
    setup.centreY = 35;
    setup.width = 30;
    setup.height = 10;
    setup.angle = 90;
    Apply(figure, setup);
    // The turned position box: 10 x 30 mm at 4 pixels per mm.
    EXPECT_EQ(figure.GetExtent(view.scale), (TRect{180, 80, 221, 201}));
    EXPECT_TRUE(figure.HitTest({200, 100}));
    EXPECT_FALSE(figure.HitTest({230, 140}));
    const std::unique_ptr<TFigure> read = ReadElementBytes(ElementBytes(figure));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(static_cast<TBarcode&>(*read).Barcode->BarcodeType(), 40);
}

TEST(BarcodeFigure, HitTestCoversTheWholeFrameAndTheSymbolWithoutChangingTheFill) {
    WithPrinterDpi printer(600);
    FakeMMWindow view;  // 4 pixels per mm
    FakeChild owner(view);
    TBarcode figure(&owner);
    // Code 39 needs about 51 mm and 10 mm here: more than the frame.
    BarcodeSetup setup = Symbol(btCode39, "CODE39");
    setup.centreX = 50;
    setup.centreY = 35;
    setup.width = 20;
    setup.height = 6;
    Apply(figure, setup);
    const std::vector<uint8_t> before = ElementBytes(figure);

    TRect symbol;
    figure.Barcode->GetBounds(view.scale, symbol);
    EXPECT_GT(symbol.Width(), 200);
    EXPECT_EQ(figure.GetExtent(view.scale), gdi::UnionRect(symbol, figure.TRechteck::GetExtent(view.scale)))
        << "the extent holds the frame and the symbol";

    struct Case {
        float x, y;  // mm
        bool hit;
    };
    // The frame spans 40 to 60 by 32 to 38 mm, the symbol about 24.7 to 75.3
    // by 29.5 to 40.5 mm.
    const Case cases[] = {
        {50, 35, true},   {42.3f, 36, true}, {72, 35, true},  {28, 36.5f, true},
        {50, 30, true},   {50, 55, false},   {78, 35, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(figure.HitTest({view.scale.MMToPixelX(c.x), view.scale.MMToPixelY(c.y)}), c.hit) << c.x << ", " << c.y;
    figure.SetAngle(90);
    EXPECT_TRUE(figure.HitTest({view.scale.MMToPixelX(50), view.scale.MMToPixelY(57)})) << "the turned symbol";
    EXPECT_FALSE(figure.HitTest({view.scale.MMToPixelX(72), view.scale.MMToPixelY(35)}));
    figure.SetAngle(0);

    EXPECT_EQ(figure.Fill->Kind(), fkNone);
    EXPECT_EQ(ElementBytes(figure), before) << "hovering changes nothing that is saved";
}

namespace {

class RecordSet : public TDataSet {
public:
    std::vector<TDataSetField> Fields() const override { return {{"EAN", TFieldType::String}}; }
    void First() override {}
    std::string FieldValue(const std::string& name) const override {
        const auto field = values.find(name);
        if (field == values.end()) RaiseFieldNotFound(name);
        return field->second;
    }
    std::map<std::string, std::string> values;
};

}  // namespace

TEST(BarcodeFigure, SerialPrintDrawsEachRecordsValueAndNothingForAValueTheSymbologyRefuses) {
    WithPrinterDpi printer(600);
    FakeMMWindow view;
    FakeChild owner(view);
    TBarcode figure(&owner);
    BarcodeSetup setup = Symbol(btEAN13, "400638133393");
    setup.centreX = 50;
    setup.centreY = 30;
    setup.width = 40;
    setup.height = 20;
    Apply(figure, setup);
    figure.Barcode->SetDataField("EAN");
    RecordSet records;

    auto printedTexts = [&] {
        ScaleRecording r;
        figure.DrawTo(r.canvas);
        return DrawnTexts(r.recording);
    };
    const std::vector<std::u16string> stored{u"4", u"006381", u"333931"};
    EXPECT_EQ(printedTexts(), stored) << "outside a serial print";

    owner.printingRecord = true;
    records.values["EAN"] = "978020137962";
    figure.FillFromDataSet(&records);
    EXPECT_EQ(figure.DataSetValue, "978020137962");
    EXPECT_EQ(printedTexts(), (std::vector<std::u16string>{u"9", u"780201", u"379624"}));
    EXPECT_EQ(figure.Barcode->Text(), "400638133393") << "the stored text comes back";

    records.values["EAN"] = "97802013796X";
    figure.FillFromDataSet(&records);
    {
        ScaleRecording r;
        figure.DrawTo(r.canvas);
        EXPECT_TRUE(r.recording.Calls().empty()) << "a value the symbology refuses prints no barcode";
    }
    EXPECT_TRUE(figure.Barcode->IsValid());

    records.values.clear();
    figure.FillFromDataSet(&records);
    EXPECT_EQ(figure.DataSetValue, "") << "a field the record lacks";
    figure.FillFromDataSet(nullptr);
    EXPECT_EQ(figure.DataSetValue, "");

    figure.Barcode->SetDataField("");
    EXPECT_EQ(printedTexts(), stored) << "without a data field the stored text prints";
}

TEST(BarcodeFigure, DrawsTheSameSymbolOnTheViewAsOnAPrinterAndOnExports) {
    WithPrinterDpi printer(300);
    FakeMMWindow view(600, 400, static_cast<float>(300 / 25.4L));
    FakeChild owner(view);
    TBarcode figure(&owner);
    BarcodeSetup setup = Symbol(btCode128, "AB12");
    setup.centreX = 25;
    setup.centreY = 15;
    setup.width = 30;
    setup.height = 12;
    Apply(figure, setup);
    figure.Paint();

    gdi::BitmapCanvas paper(600, 400, 300, 300);
    paper.FillRect({0, 0, 600, 400}, gdi::SolidBrush(0xFFFFFF));
    TScaleCanvas canvas(&paper);
    canvas.AssignScaling(view.scale);
    figure.DrawTo(canvas);
    EXPECT_EQ(paper.bitmap().image(), view.image.bitmap().image());
    const std::vector<int32_t> runs = BarRuns(paper.bitmap(), true, canvas.MMToPixelY(15), 600);
    // Start, four characters and the check character of six elements each,
    // and the stop's seven.
    EXPECT_EQ(runs.size(), 6u * 6 + 7) << "every element of the symbol";

    gdi::BitmapCanvas exported(1, 1, 96, 96);
    TExportBMPCanvas target(exported);
    target.PlaceExtent(figure.GetExtent(target.ScaleCanvas()));
    figure.ExportTo(target);
    int dark = 0;
    for (int x = 0; x < exported.bitmap().Width(); ++x)
        dark += gdi::RedOf(exported.bitmap().Pixel(x, exported.bitmap().Height() / 2)) < 128;
    EXPECT_GT(dark, 10) << "bars across the exported picture";
}

namespace {

struct InstalledDialogs {
    InstalledDialogs() { InstallFigureDialogs(); }
    ~InstalledDialogs() {
        SetBarcodeDialog(nullptr);
        SetPositionDialog(nullptr);
    }
};

}  // namespace

TEST(BarcodeFigure, TheDialogsCancelLeavesTheFigureByteForByteAndOkGivesTheFrameTheSymbolsSize) {
    WithPrinterDpi printer(600);
    InstalledDialogs dialogs;
    FakeMMWindow view;
    FakeChild owner(view);
    TBarcode figure(&owner);
    Configure(figure);
    const std::vector<uint8_t> before = ElementBytes(figure);
    auto edit = [](TBarcodeDlg& d) {
        d.cbTyp->setCurrentIndex(btCode39);
        d.edText->setText("ZORBIT");
        d.chTextAnzeigen->setChecked(true);
    };
    WhenBarcodeDlgShown(edit, false);
    EXPECT_FALSE(figure.EditBarcode());
    EXPECT_EQ(ElementBytes(figure), before);

    // The figure is turned by 90 degrees: the frame takes the symbol's own
    // width along its bars and its height.
    WhenBarcodeDlgShown(edit, true);
    view.invalidated.clear();
    EXPECT_TRUE(figure.EditBarcode());
    EXPECT_EQ(figure.Barcode->BarcodeType(), btCode39);
    EXPECT_EQ(figure.Barcode->Text(), "ZORBIT");
    EXPECT_FALSE(view.invalidated.empty());
    const LaidOut laid = LayOut(*figure.Barcode, view.scale);
    ASSERT_TRUE(laid.ok);
    const double pixel = 1 / 4.0;
    EXPECT_NEAR(figure.Width, laid.s.width, 2 * pixel);
    EXPECT_GE(figure.Width, laid.s.width - 1e-4) << "never less, or the module would shrink";
    EXPECT_NEAR(figure.Height, laid.s.height, 2 * pixel);
    EXPECT_DOUBLE_EQ(figure.Angle, 90);
    EXPECT_FLOAT_EQ(figure.Barcode->Angle(), 90);
    // Asked again, the symbol keeps its module and the frame its size.
    const double width = figure.Width;
    WhenBarcodeDlgShown([](TBarcodeDlg&) {}, true);
    EXPECT_TRUE(figure.EditBarcode());
    EXPECT_DOUBLE_EQ(figure.Width, width);
}

TEST(BarcodeFigure, TheEditorCreatesItsBarcodesThroughTheDialogWithTheLinkedDataSet) {
    WithPrinterDpi printer(600);
    FakeMMWindow view;
    FakeChild owner(view);
    RecordSet records;
    owner.dataSet = &records;
    TDataSet* offered = nullptr;
    bool accept = false;
    SetBarcodeDialog([&](TZRBarcode& barcode, TDataSet* dataSet) {
        offered = dataSet;
        barcode.SetBarcodeType(btEAN8);
        barcode.SetText("9638507");
        return accept;
    });
    EXPECT_EQ(CreateBarcodeFigure(&owner, {40, 40}, {200, 120}), nullptr) << "cancelled";
    EXPECT_EQ(offered, &records);

    accept = true;
    const std::unique_ptr<TBarcode> figure = CreateBarcodeFigure(&owner, {40, 40}, {200, 120});
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->Owner, &owner);
    EXPECT_EQ(figure->Barcode->Text(), "9638507");
    EXPECT_DOUBLE_EQ(figure->CenterX, 30);
    EXPECT_DOUBLE_EQ(figure->CenterY, 20);
    EXPECT_LT(figure->Width, 40) << "the frame took the symbol's size";
    SetBarcodeDialog(nullptr);
    EXPECT_EQ(CreateBarcodeFigure(&owner, {40, 40}, {200, 120}), nullptr) << "without a dialog";
}

// ---- decoding what the figure draws

namespace {

constexpr int32_t kPrinterDpi = 300;
constexpr float kPageMM = 150;

struct Page {
    Page() : bitmap(Side(), Side(), kPrinterDpi, kPrinterDpi), canvas(&bitmap) {
        bitmap.FillRect({0, 0, Side(), Side()}, gdi::SolidBrush(0xFFFFFF));
        canvas.SetResolutionX(static_cast<float>(kPrinterDpi / 25.4L));
        canvas.SetResolutionY(static_cast<float>(kPrinterDpi / 25.4L));
    }
    static int32_t Side() { return static_cast<int32_t>(kPageMM / 25.4f * kPrinterDpi); }
    gdi::BitmapCanvas bitmap;
    TScaleCanvas canvas;
};

// The figure printed in the middle of a white page at the printer's
// resolution, cut out with a white margin.
QImage PrintedFigure(const BarcodeSetup& setup, Page& page) {
    TBarcode figure(nullptr);
    BarcodeSetup centred = setup;
    centred.centreX = centred.centreY = kPageMM / 2;
    Apply(figure, centred);
    figure.DrawTo(page.canvas);
    const TRect cut = figure.GetExtent(page.canvas).Inflated(40, 40);
    return page.bitmap.bitmap().image().copy(cut.left, cut.top, cut.Width(), cut.Height());
}

// Kept for a look when ZORBIT_SCREENSHOTS names a folder.
void Keep(const QImage& picture, const QString& name) {
    if (const char* folder = std::getenv("ZORBIT_SCREENSHOTS")) picture.save(QDir(folder).filePath(name + ".png"));
}

class FigureDecodedByZbar : public ZbarDecodingTest<kPrinterDpi> {};

}  // namespace

TEST_P(FigureDecodedByZbar, UprightAndTurned) {
    const ReadableSymbol& r = GetParam();
    for (const float angle : {0.0f, 90.0f}) {
        BarcodeSetup setup = r.setup;
        setup.angle = angle;
        Page page;
        const QImage picture = PrintedFigure(setup, page);
        Keep(picture, QStringLiteral("barcode-figure-%1-%2").arg(QString::fromLatin1(r.name)).arg(angle));
        EXPECT_EQ(DecodeWithZbar(picture, zbarimg_).toStdString(), r.expected) << "at " << angle << " degrees";
    }
}

INSTANTIATE_TEST_SUITE_P(Barcode, FigureDecodedByZbar, ::testing::ValuesIn(ReadableSymbols()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BarcodeFigure, StandardTwoOfFiveKeepsItsPatternInWholeDotsAtEveryQuarterTurn) {
    WithPrinterDpi printer(kPrinterDpi);
    BarcodeSetup setup = Symbol(btCode25Standard, "1234");
    setup.width = 40;
    setup.height = 15;
    // Start, the digits 1, 2, 3, 4 and the check digit 8 (bars only, each
    // followed by a narrow space), stop: 164 units.
    const std::string pattern = "525222"
                                "5222222252" "2252222252" "5252222222" "2222522252" "5222225222"
                                "52225";
    ASSERT_EQ(PatternUnits(pattern), 164);
    const int32_t dots = 3;  // 40 mm would take 2.3 dots: the least module of 0.1875 mm wins
    std::vector<int32_t> expected;
    for (const char width : pattern) expected.push_back((width - '0') * dots);

    for (const float angle : {0.0f, 90.0f, 180.0f, 270.0f}) {
        setup.angle = angle;
        Page page;
        const QImage picture = PrintedFigure(setup, page);
        Keep(picture, QStringLiteral("barcode-figure-Standard25-%1").arg(angle));
        const bool alongX = std::fmod(angle, 180.0f) == 0;
        const int32_t centre = alongX ? page.canvas.MMToPixelY(kPageMM / 2) : page.canvas.MMToPixelX(kPageMM / 2);
        std::vector<int32_t> runs = BarRuns(page.bitmap.bitmap(), alongX, centre, Page::Side());
        if (angle >= 180) std::reverse(runs.begin(), runs.end());
        EXPECT_EQ(runs, expected) << "at " << angle << " degrees";
    }
}

TEST(BarcodeFigure, PrintedIntoAPdfItKeepsWholePrinterDotsAndDecodesAgain) {
    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    const QString zbarimg = ZbarImgProgram();
    if (zbarimg.isEmpty() || !test::HavePdfRenderer()) GTEST_SKIP() << "zbarimg or pdftoppm is missing";
    gdi::Printer& pdfPrinter = gdi::CurrentPrinter();
    const int32_t dpi = PrinterDpiX();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("barcode.pdf");
    pdfPrinter.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(pdfPrinter.BeginDoc("Barcode"));
    std::vector<int32_t> expected;  // the runs of dark and light dots across the bars
    int32_t column = 0;             // the page's column through the middle of the bars
    {
        TRegionScaleCanvas canvas(&pdfPrinter.GetCanvas());
        canvas.Reset(kResetPrinter);
        TBarcode figure(nullptr);
        BarcodeSetup setup = Symbol(btEAN13, "400638133393");
        setup.addOn = "52495";
        setup.centreX = 40;
        setup.centreY = 30;
        setup.width = 40;
        setup.height = 20;
        setup.angle = 270;
        Apply(figure, setup);
        figure.DrawToSheetCanvas(canvas);
        const LaidOut laid = LayOut(*figure.Barcode, canvas);
        ASSERT_TRUE(laid.ok);
        // A bar of no width (in the gap before the add-on) joins its two spaces.
        bool joinNext = false;
        for (const char width : laid.s.pattern) {
            const int32_t dots = (width - '0') * laid.s.dots;
            if (joinNext) expected.back() += dots;
            else if (dots > 0) expected.push_back(dots);
            joinNext = dots == 0;
        }
        // Turned by 270 degrees the symbol reads from the bottom up.
        std::reverse(expected.begin(), expected.end());
        column = canvas.MMToPixelX(40) + canvas.PhysicalOffsetX;
    }
    ASSERT_TRUE(pdfPrinter.EndDoc());

    const auto side = static_cast<int>(80 / 25.4 * dpi);
    const test::GrayPage page = test::RenderPdf(pdf, dpi, 0, 0, side, side);
    ASSERT_GT(page.width, 0);
    QImage picture(reinterpret_cast<const uchar*>(page.pixels.constData()), page.width, page.height, page.width,
                   QImage::Format_Grayscale8);
    Keep(picture, QStringLiteral("barcode-figure-pdf"));
    gdi::Bitmap dots(page.width, page.height);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) dots.SetPixel(x, y, page.At(x, y) < 128 ? 0 : 0xFFFFFF);
    EXPECT_EQ(BarRuns(dots, false, column, page.height), expected);
    EXPECT_EQ(DecodeWithZbar(picture.copy(), zbarimg).toStdString(), "EAN-13:4006381333931\nEAN-5:52495");
}
