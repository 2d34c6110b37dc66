#include "richtext/model/EngineMessages.h"

#include <array>

namespace {

constexpr std::array<const char*, kEngineMessageCount> kMessages = {
    "INCH",
    "Inch",
    "Cm",
    "",
    "0",
    "RTF files (*.rtf)|*.RTF",
    "HTML files (*.htm,*.html)|*.HTM;*.HTML",
    "Text files (*.txt)|*.TXT",
    "XML files (*.xml)|*.XML",
    "Stylesheets files (*.CSS)|*.CSS",
    "All files (*.*)|*.*",
    "RTF files (*.rtf)|*.RTF|HTML files (*.htm,*.html)|*.HTM;*.HTML|Text files (*.txt)|*.TXT|All files (*.*)|*.*",
    "Do you want to abort operation?",
    "Ready",
    "reading ...",
    "writing ...",
    "formatting ...",
    "formatting ...",
    "initialize memory",
    "no text selected",
    "RICH",
    "PLAIN",
    "Internal Error",
    "Delete all tab stops?",
    "Graphic Files (*.BMP,*.WMF)|*.BMP;*.WMF",
    "Graphic Files (*.BMP,*.WMF,*.JPG,*.GIF)|*.BMP;*.WMF;*.JPG;*.GIF",
    "Textfiles (*.TXT)|*.TXT",
    "Cannot use other objects than of type TRtObject.",
    "Graphic support was not linked. Please include unit RtEmOBJ to project.",
    "Delete the object",
    "Insert new object",
    "Save changed text?",
    "Discard changes?",
    "Cannot rename file %s!",
    "Cannot write to file %s!",
    "Error occured when reading file %s!",
    "property NextToolBar was used recursively",
    "Wrong ScreenResMode in object ",
    "Text not found",
    "Insertpoint not defined. Provide tag or fieldname",
    "This property is not yet supported",
    "Please use only bitmaps",
    "cannot append text to <self>",
    "All colors in palette in use",
    "Text-Writer class not found ",
    "Text-Reader class not found ",
    "Wrong Arguments!",
    "Incorrect IO Class :",
    "Mode not supported",
    "",
    "Changes",
    "Input",
    "Delete",
    "Attribute Modification",
    "Indent Modification",
    "Spacing Modification",
    "Align{ ment Modification",
    "Tabs Modification",
    "Border Modification",
    "Deletion",
    "Drag and Drop",
    "Paste",
    "Change Table",
    "Change Graphic",
    "Change Code",
    "Update Style",
    "Change Template",
    "Insert Bookmark",
    "Insert Hyperlink",
    "Insert Field",
    "Left",
    "Center",
    "Right",
    "Justified",
    "Yes",
    "No",
    // The tab kind texts follow the kinds 0 left, 1 right, 2 centre, 3 decimal.
    "Left",
    "Right",
    "Center",
    "Decimal",
    "multiple",
    "at least",
    "exactly",
    "Custom Size",
    "File has wrong format!",
    "Error in Report Template!",
};

}  // namespace

std::string GetEngineMessage(int32_t index) {
    if (index < 0 || index >= kEngineMessageCount) return {};
    return kMessages[static_cast<size_t>(index)];
}

TRtGuiString UndoKindMessage(uint8_t kind) {
    static constexpr TRtGuiString kByKind[] = {
        meutNone, meutAny, meutInput, meutDeleteText, meutChangeAttributes, meutChangeIndent,
        meutChangeSpacing, meutChangeAlignment, meutChangeTabs, meutChangeBorder, meutDeleteSelection,
        meutDragAndDrop, meutPaste, meutChangeGraphic, meutChangeGraphic, meutChangeGraphic,
        meutChangeTable, meutUpdateStyle,
    };
    const uint8_t k = kind & 0x7F;
    return k < std::size(kByKind) ? kByKind[k] : meutAny;
}

std::string GetUndoKindText(uint8_t kind) { return GetEngineMessage(UndoKindMessage(kind)); }
