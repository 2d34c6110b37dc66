// Tree view: in-place editing. An editor chosen by the cell's type is laid
// over the cell (edit box, drop-down list, date or time picker, check box;
// some types are handed to the application instead); Enter and leaving the
// editor commit through the tree's validation events, Escape cancels. A
// slow second click on an item's text opens the editor after 500 ms.
#include "treectl/view/McTreeView.h"

#include "treectl/items/McSortKey.h"
#include "treectl/support/McTimer.h"
#include "treectl/tree/McTree.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QDateTime>
#include <QtCore/QLocale>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDateTimeEdit>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace {

// Days since 30 December 1899 as a date and time.
QDateTime FromDays(double days) {
    const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    return zero.addMSecs(static_cast<qint64>(days * 86400000.0 + (days >= 0 ? 0.5 : -0.5)));
}

}  // namespace

QFont TMcTreeView::ViewFont() const {
    const gdi::LogFont& f = tree_.Font();
    QFont font(QString::fromStdString(f.faceName));
    font.setPixelSize(std::max(1, f.height < 0 ? -f.height : f.height * 4 / 5));
    font.setBold(f.weight >= gdi::FW_BOLD);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    return font;
}

bool TMcTreeView::EditorVisible() const { return editor_ && editor_->isVisible(); }

TMcHeaderSection* TMcTreeView::EditedSection() const {
    return tree_.ShowColumns() && editColumn_ != -1 ? tree_.Header().Sections().Item(editColumn_) : nullptr;
}

// ---- starting

bool TMcTreeView::EditItem(TMcTreeItem* item, int32_t column) {
    if (!item) throw EMcTreeError("McTree item not specified");
    if (rows_.IndexOf(item) < 0) tree_.MakeItemVisible(item);
    if (editor_) {
        if (editor_->isVisible()) EndEdit(true);
        FreeEditor();
    }
    if (tree_.ShowColumns() && column == -1) column = tree_.MainTreeColumn();
    editItem_ = item;
    editColumn_ = column;
    TMcHeaderSection* section = nullptr;
    if (column != -1) {
        section = tree_.Header().Sections().Item(column);
        if (!section || !section->Visible()) {
            editItem_ = nullptr;
            return false;
        }
    }
    TFieldTypes cellType = section ? section->FieldType() : TFieldTypes::sftText;
    if (item->UseStyles()) {
        const int32_t main = tree_.MainTreeColumn();
        const int32_t entry = column > main ? column - 1 : column;
        const bool mainCell = column == main || column == -1;
        cellType = (!mainCell && entry < item->StylesCount() ? *item->GetStyle(entry) : item->MainStyle()).CellKind;
    }
    bool canEdit = true;
    tree_.DoTryEdit(item, section, cellType, canEdit);
    if (!canEdit) {
        editItem_ = nullptr;
        return false;
    }
    editCellType_ = cellType;
    if (!CreateEditor(item, section, cellType)) return false;
    savedHideSelection_ = tree_.Settings().HideSelection;
    tree_.settings_.HideSelection = false;
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editing_ = true;
    return true;
}

gdi::Rect TMcTreeView::EditorRect(TMcTreeItem* item, TMcHeaderSection* section, std::string& text) {
    const int32_t main = tree_.MainTreeColumn();
    if (section && section->Index() != main) {
        text = item->CellText(section->Index());
        const int32_t left = tree_.LeftPosition();
        if (section->Left() < left || section->Left() > width() + left) tree_.SetLeftPosition(section->Left());
    } else {
        text = item->Text();
        const int32_t left = tree_.LeftPosition();
        if (item->TextLeft < left || item->TextLeft > left + width()) tree_.SetLeftPosition(item->TextLeft);
    }
    gdi::Rect r;
    GetRowRect(rows_.IndexOf(item), r);
    const int32_t left = tree_.LeftPosition();
    if (section && section->Index() != main) {
        r.left = section->Left() - left;
        r.right = std::min(r.left + section->Width(), width() - 1);
    } else {
        r.left = item->TextLeft - left;
        r.right = std::min(section ? section->Right() - left : width() - 1, width() - 1);
    }
    return r;
}

bool TMcTreeView::CreateEditor(TMcTreeItem* item, TMcHeaderSection* section, TFieldTypes cellType) {
    std::string text;
    const gdi::Rect r = EditorRect(item, section, text);
    QWidget* made = nullptr;
    switch (cellType) {
    case TFieldTypes::sftText: made = CreateTextEditor(r, text, section); break;
    case TFieldTypes::sftNumber: made = CreateNumberEditor(r, text, section); break;
    case TFieldTypes::sftFloating:
    case TFieldTypes::sftDateTime: made = CreateDateTimeEditor(r, text, section); break;
    case TFieldTypes::sftCurrency: made = CreateCurrencyEditor(r, text, section); break;
    case TFieldTypes::sftDate: made = CreateDateEditor(r, text, section); break;
    case TFieldTypes::sftTime: made = CreateTimeEditor(r, text, section); break;
    case TFieldTypes::sftEnum: made = CreateEnumEditor(r, text, section); break;
    case TFieldTypes::sftBool: made = CreateCheckBoxEditor(r, text, section); break;
    case TFieldTypes::sftCustom: RequestCustomEdit(section); break;
    case TFieldTypes::sftBLOB: RequestBlobEdit(section); break;
    case TFieldTypes::sftPicture: RequestPictureEdit(section); break;
    case TFieldTypes::sftUndef: break;
    }
    if (made) {
        editor_ = made;
        made->installEventFilter(this);
        exitHandlerOn_ = true;
    }
    return editor_ != nullptr;
}

void TMcTreeView::SetUpEditor(QWidget* editor, const gdi::Rect& r) {
    editor->hide();
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    editor->setGeometry(r.left, r.top, std::max(r.Width(), 1), std::max(r.Height(), 1));
}

// ---- the editors

QWidget* TMcTreeView::CreateTextEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section) {
    auto* edit = new QLineEdit(this);
    SetUpEditor(edit, r);
    edit->setFont(ViewFont());
    edit->setFrame(true);
    edit->setText(AnsiToUnicode(text));
    edit->setModified(false);
    edit->setCursorPosition(0);
    edit->selectAll();
    if (section) tree_.DoTuneUpInplaceEdit(editItem_, section->Index(), *edit);
    const int32_t fontHeight = std::abs(tree_.Font().height) + 2;
    edit->setGeometry(r.left, r.top, std::max(r.Width(), 1), std::max({fontHeight, r.Height(), 1}));
    return edit;
}

QWidget* TMcTreeView::CreateNumberEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section) {
    return CreateTextEditor(r, text, section);
}
QWidget* TMcTreeView::CreateSpareEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section) {
    return CreateTextEditor(r, text, section);
}
QWidget* TMcTreeView::CreateDateTimeEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section) {
    return CreateTextEditor(r, text, section);
}
QWidget* TMcTreeView::CreateCurrencyEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section) {
    return CreateTextEditor(r, text, section);
}

QWidget* TMcTreeView::CreateEnumEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section) {
    auto* combo = new QComboBox(this);
    SetUpEditor(combo, r);
    combo->setEditable(false);
    combo->setCurrentIndex(0);
    combo->setCurrentText(AnsiToUnicode(text));
    tree_.DoComboEditShow(editItem_, section, *combo);
    QFont font = ViewFont();
    font.setPixelSize(std::max(1, font.pixelSize() - 1));
    combo->setFont(font);
    return combo;
}

namespace {

QDateTimeEdit* Picker(QWidget* parent, const std::string& text, bool time) {
    double days = 0;
    const bool ok = TextToDateTime(text, time ? TSortTypes::stTime : TSortTypes::stDate, days);
    QDateTime value = ok ? FromDays(days) : QDateTime::currentDateTime();
    if (ok && time) value.setDate(QDate::currentDate());
    auto* picker = new QDateTimeEdit(value, parent);
    const QLocale locale;
    picker->setDisplayFormat(time ? locale.timeFormat(QLocale::ShortFormat) : locale.dateFormat(QLocale::ShortFormat));
    picker->setCalendarPopup(!time);
    return picker;
}

}  // namespace

QWidget* TMcTreeView::CreateDateEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection*) {
    QDateTimeEdit* picker = Picker(this, text, false);
    SetUpEditor(picker, {r.left, r.top, r.right, r.bottom + 4});
    picker->setFont(ViewFont());
    return picker;
}

QWidget* TMcTreeView::CreateTimeEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection*) {
    QDateTimeEdit* picker = Picker(this, text, true);
    SetUpEditor(picker, {r.left, r.top, r.right, r.bottom + 4});
    picker->setFont(ViewFont());
    return picker;
}

QWidget* TMcTreeView::CreateCheckBoxEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection*) {
    auto* box = new QCheckBox(this);
    SetUpEditor(box, r);
    box->setChecked(!text.empty());
    return box;
}

// Cells the application edits itself.
void TMcTreeView::RequestCustomEdit(TMcHeaderSection* section) {
    editing_ = true;
    tree_.DoEditRequest(editItem_, section);
    editing_ = false;
    editItem_ = nullptr;
}
void TMcTreeView::RequestBlobEdit(TMcHeaderSection* section) { RequestCustomEdit(section); }
void TMcTreeView::RequestPictureEdit(TMcHeaderSection* section) { RequestCustomEdit(section); }

// ---- ending

bool TMcTreeView::EndEdit(bool cancel) {
    if (editing_) tree_.SetHideSelection(savedHideSelection_);
    if (editor_ && editItem_ && editor_->isVisible()) {
        CommitEditor(cancel);
        exitHandlerOn_ = false;
        if (!destroying_) TakeFocusBack();
        editor_->hide();
        if (!destroying_) {
            if (editItem_) editItem_->RedrawItem(true);
            tree_.MarkChanged();
            if (!tree_.IsUpdating()) tree_.RepaintNow();
        }
        editItem_ = nullptr;
    } else {
        FreeEditor();
        editItem_ = nullptr;
        if (!destroying_) TakeFocusBack();
    }
    editing_ = false;
    return true;
}

void TMcTreeView::TakeFocusBack() {
    if (isEnabled() && isVisible()) setFocus(Qt::OtherFocusReason);
}

void TMcTreeView::FreeEditor() {
    if (!editor_) return;
    QWidget* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
}

void TMcTreeView::CommitEditor(bool cancel) {
    switch (editCellType_) {
    case TFieldTypes::sftDate:
    case TFieldTypes::sftTime: CommitDateOrTime(cancel); break;
    case TFieldTypes::sftEnum: CommitEnum(cancel); break;
    case TFieldTypes::sftBool: CommitCheckBox(cancel); break;
    case TFieldTypes::sftCustom:
    case TFieldTypes::sftPicture:
    case TFieldTypes::sftBLOB:
    case TFieldTypes::sftUndef: CommitRequest(cancel); break;
    default: CommitText(cancel); break;
    }
}

void TMcTreeView::StoreEditedText(TMcHeaderSection* section, std::string text, bool accept) {
    tree_.DoValidateInplaceEdit(editItem_, section, text, accept);
    if (!editItem_ || !accept) return;
    const int32_t main = tree_.MainTreeColumn();
    if (editColumn_ == main || editColumn_ == -1) editItem_->SetText(text);
    else editItem_->SetColumnTextAt(editColumn_ > main ? editColumn_ - 1 : editColumn_, text);
}

void TMcTreeView::CommitText(bool cancel) {
    exitHandlerOn_ = false;
    const auto* edit = qobject_cast<QLineEdit*>(editor_);
    StoreEditedText(EditedSection(), !cancel && edit ? UnicodeToAnsi(edit->text()) : std::string(), !cancel);
}

void TMcTreeView::CommitDateOrTime(bool cancel) {
    exitHandlerOn_ = false;
    std::string text;
    if (const auto* picker = qobject_cast<QDateTimeEdit*>(editor_); picker && !cancel) {
        const QLocale locale;
        text = UnicodeToAnsi(editCellType_ == TFieldTypes::sftTime ? locale.toString(picker->time(), QLocale::ShortFormat)
                                                                    : locale.toString(picker->date(), QLocale::ShortFormat));
    }
    StoreEditedText(EditedSection(), text, !cancel);
}

void TMcTreeView::CommitCheckBox(bool cancel) {
    const auto* box = qobject_cast<QCheckBox*>(editor_);
    StoreEditedText(EditedSection(), box && box->isChecked() && !cancel ? "1" : "", !cancel);
    exitHandlerOn_ = false;
}

void TMcTreeView::CommitEnum(bool cancel) {
    const int32_t main = tree_.MainTreeColumn();
    TMcHeaderSection* section =
        editColumn_ != main && editColumn_ != -1 ? tree_.Header().Sections().Item(editColumn_) : nullptr;
    bool accept = !cancel;
    if (auto* combo = qobject_cast<QComboBox*>(editor_)) tree_.DoValidateCombo(editItem_, section, *combo, accept);
    exitHandlerOn_ = false;
}

void TMcTreeView::CommitRequest(bool) {}

// ---- keys and focus of the editor

bool TMcTreeView::EditorEvent(QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason && editing_ && exitHandlerOn_) {
            // The drop-down list and the calendar of a picker keep the edit open.
            QWidget* now = QApplication::focusWidget();
            if (!(now && editor_ && editor_->isAncestorOf(now))) EndEdit(false);
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    int code = key->key();
    tree_.DoEditKeyDown(*editor_, code, key->modifiers());
    if (code == 0) return true;
    const Qt::KeyboardModifiers held = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held) return false;
    if (code == Qt::Key_Return || code == Qt::Key_Enter) {
        EndEdit(false);
        return true;
    }
    if (code == Qt::Key_Escape) {
        EndEdit(true);
        return true;
    }
    return false;
}

// ---- click to edit

void TMcTreeView::ArmClickToEdit(QPoint p) {
    if (p != pressPoint_ || doubleClickHappened_) return;
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(p.x(), p.y(), part, column);
    if (!item) {
        armedItem_ = nullptr;
        return;
    }
    if (part == TMcTreeHitPart::tpRow || part == TMcTreeHitPart::tpButton) return;
    clickEditArmed_ = true;
    armedItem_ = item;
}

void TMcTreeView::ClickToEditPress(QPoint p) {
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(p.x(), p.y(), part, column);
    if (item && !item->Enabled()) return;
    const TMcTreeSettings& s = tree_.Settings();
    const bool armed = std::exchange(clickEditArmed_, false);
    if (!armed || part != TMcTreeHitPart::tpText || !item || item != armedItem_ || !item->AllowEdit ||
        !s.DoInplaceEdit) {
        return;
    }
    const TMcHeaderSection* main =
        tree_.ShowColumns() ? tree_.Header().Sections().Item(tree_.MainTreeColumn()) : nullptr;
    if (tree_.ShowColumns() && !(main && main->Editable())) return;
    if (!editDelayTimer_) {
        editDelayTimer_ = NewMcTimer();
        editDelayTimer_->OnTimeout = [this] { EditDelayTick(); };
    }
    editDelayItem_ = item;
    editDelayColumn_ = tree_.ShowColumns() ? tree_.MainTreeColumn() : -1;
    editDelayTimer_->Start(500);
}

void TMcTreeView::EditDelayTick() {
    StopEditDelay();
    if (TMcTreeItem* item = std::exchange(editDelayItem_, nullptr)) EditItem(item, editDelayColumn_);
}

void TMcTreeView::StopEditDelay() {
    if (editDelayTimer_) editDelayTimer_->Stop();
}

void TMcTreeView::DisarmClickToEdit() {
    StopEditDelay();
    clickEditArmed_ = false;
    armedItem_ = nullptr;
}
