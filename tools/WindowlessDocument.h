#pragma once
// A whole document without a window, for the tools: its sheet, database block
// and designs with their tab captions, read and written through the document
// file like any other. It starts with one empty design on the tab
// "Etikett 1". Its figures have no view: they draw and measure on the
// measuring canvas, and whatever the document would show (messages, menus,
// cursors) goes nowhere.

#include "design/DocumentBase.h"
#include "design/EinzelEtikett.h"
#include "document/ChildBase.h"
#include "document/DataBaseConnector.h"
#include "document/Etikett.h"
#include "foundation/FillData.h"

#include <QtCore/QStringList>

#include <memory>
#include <vector>

// The owner of the document's figures: a document window that is not there.
class TWindowlessOwner : public TChildBase {
public:
    TMMWindowBase* GetMMWindow() override { return nullptr; }
    TScaleCanvas& GetViewScaleCanvas() override;
    TDesignBase* GetCurrentDesign() override { return currentDesign; }
    gdi::Rect GetUpdateRect() const override { return {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}; }
    bool ClipRingActive() const override { return false; }
    const std::vector<TClipZone>& ClipRingRegions() const override { return noRegions; }
    void SetModified(bool) override {}
    void SetPrintingRecord(bool printing) override { printingRecord = printing; }
    bool IsPrintingRecord() const override { return printingRecord; }
    void UpdateFrameControls() override {}
    TEtikett& GetEtikett() override { return sheet; }
    void RequestToolStateRefresh() override {}
    void SwitchToSelectTool() override {}
    void Beep() override {}
    gdi::Color MainPenColor() const override { return 0; }
    const TFillData& MainFillData() const override { return noFill; }
    void BuildFieldPanel() override {}
    void SetFieldTypeMenu(const std::vector<std::string>&) override {}
    void ShowWarning(const QString&) override {}
    void ShowError(const QString&) override {}
    void SetBusyCursor(bool) override {}

    TEtikett sheet;
    TDesignBase* currentDesign = nullptr;

private:
    std::vector<TClipZone> noRegions;
    TFillData noFill;
    bool printingRecord = false;
};

class TWindowlessDocument : public TDocumentBase {
public:
    TWindowlessDocument();

    TChildBase& Owner() override { return owner_; }
    TEtikett& Sheet() override { return owner_.sheet; }
    TDataBaseConnector& DataBaseConnector() override { return connector_; }
    int32_t DesignCount() const override { return static_cast<int32_t>(designs_.size()); }
    TEinzelEtikett& Design(int32_t index) override { return *designs_.at(static_cast<size_t>(index)); }
    QString DesignCaption(int32_t index) const override { return captions_.at(index); }
    void SetDesignCaption(int32_t index, const QString& caption) override { captions_[index] = caption; }
    TEinzelEtikett& AddDesignTab(const QString& caption) override;
    int32_t CurrentDesignIndex() const override { return current_; }
    void SetCurrentDesignIndex(int32_t index) override;
    void ShowLoadProgress(const QString&) override {}

private:
    TWindowlessOwner owner_;
    TDataBaseConnector connector_;
    std::vector<std::unique_ptr<TEinzelEtikett>> designs_;
    QStringList captions_;
    int32_t current_ = 0;
};
