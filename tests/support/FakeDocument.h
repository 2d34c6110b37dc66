#pragma once
// A whole document without a window, for tests, benchmarks and the tools:
// the fake document window of FigureFakes.h as owner, its sheet, a database
// block and designs with their captions. It starts like a new document
// window, with one empty design on the tab "Etikett 1", and keeps every
// load caption it is shown.

#include "design/DocumentBase.h"
#include "design/EinzelEtikett.h"
#include "document/DataBaseConnector.h"
#include "tests/support/FigureFakes.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <memory>
#include <vector>

class FakeDocument : public TDocumentBase {
public:
    FakeDocument() : child(view) { AddDesignTab(QStringLiteral("Etikett 1")); }

    TChildBase& Owner() override { return child; }
    TEtikett& Sheet() override { return child.sheet; }
    TDataBaseConnector& DataBaseConnector() override { return connector; }
    int32_t DesignCount() const override { return static_cast<int32_t>(designs.size()); }
    TEinzelEtikett& Design(int32_t index) override { return *designs.at(static_cast<size_t>(index)); }
    QString DesignCaption(int32_t index) const override { return captions.at(index); }
    void SetDesignCaption(int32_t index, const QString& caption) override { captions[index] = caption; }
    TEinzelEtikett& AddDesignTab(const QString& caption) override {
        designs.push_back(std::make_unique<TEinzelEtikett>(child));
        captions << caption;
        SetCurrentDesignIndex(DesignCount() - 1);
        return *designs.back();
    }
    int32_t CurrentDesignIndex() const override { return current; }
    void SetCurrentDesignIndex(int32_t index) override {
        current = index;
        child.currentDesign = designs.at(static_cast<size_t>(index)).get();
    }
    void ShowLoadProgress(const QString& caption) override { progress << caption; }

    FakeMMWindow view{400, 300, 4};
    FakeChild child;
    TDataBaseConnector connector;
    std::vector<std::unique_ptr<TEinzelEtikett>> designs;
    QStringList captions;
    int32_t current = 0;
    QStringList progress;
};
