#include "foundation/widgets/LocalizerForm.h"

#include "foundation/Localizer.h"

#include <QtCore/QEvent>
#include <QtCore/QMetaProperty>
#include <QtWidgets/QAbstractButton>
#include <QtGui/QAction>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>

#include <functional>
#include <vector>

namespace {

// One text property of an object, as the localizer sees it.
struct TextProperty {
    QString name;
    std::function<QString()> get;
    std::function<void(const QString&)> set;
};

// An item list of an object: read whole, changed item by item, so that the
// items keep what else they carry (data, icons) and the items that code
// added stay where they are.
struct ListProperty {
    QString name;
    std::function<QStringList()> get;
    std::function<void(int, const QString&)> setItem;
    // Inserts the texts at the position; returns how many were inserted.
    std::function<int(int, const QStringList&)> insert;
    std::function<void(int, int)> remove;  // position, count
};

// A list kept as a whole property value.
ListProperty WholeList(QString name, std::function<QStringList()> get, std::function<void(const QStringList&)> set) {
    ListProperty p;
    p.name = std::move(name);
    p.get = get;
    p.setItem = [get, set](int i, const QString& text) {
        QStringList items = get();
        if (i < items.size()) items[i] = text;
        set(items);
    };
    p.insert = [get, set](int at, const QStringList& texts) {
        QStringList items = get();
        for (int k = 0; k < texts.size(); ++k) items.insert(std::min<qsizetype>(at + k, items.size()), texts[k]);
        set(items);
        return static_cast<int>(texts.size());
    };
    p.remove = [get, set](int at, int count) {
        QStringList items = get();
        items.remove(at, std::min<qsizetype>(count, items.size() - at));
        set(items);
    };
    return p;
}

QTabWidget* TabWidgetOfPage(QWidget* w) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (!stack) return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return (tabs && tabs->indexOf(w) >= 0) ? tabs : nullptr;
}

void AddDeclaredProperties(QObject* obj, std::vector<TextProperty>& texts, std::vector<ListProperty>* lists) {
    const QMetaObject* meta = obj->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        const QString name = QString::fromLatin1(p.name());
        if (!p.isWritable() || name.isEmpty() || !name[0].isUpper()) continue;
        if (p.metaType().id() == QMetaType::QString &&
            (name == QLatin1String("Caption") || name == QLatin1String("Hint") || name == QLatin1String("Text") ||
             name == QLatin1String("Title"))) {
            texts.push_back({name, [obj, p] { return p.read(obj).toString(); },
                             [obj, p](const QString& v) { p.write(obj, v); }});
        } else if (lists && p.metaType().id() == QMetaType::QStringList) {
            lists->push_back(WholeList(name, [obj, p] { return p.read(obj).toStringList(); },
                                       [obj, p](const QStringList& v) { p.write(obj, v); }));
        }
    }
}

bool HasDeclared(const std::vector<TextProperty>& texts, const QString& name) {
    for (const auto& t : texts)
        if (t.name == name) return true;
    return false;
}

std::vector<TextProperty> TextPropertiesOf(QObject* obj, QWidget* form) {
    std::vector<TextProperty> texts;
    AddDeclaredProperties(obj, texts, nullptr);
    const bool ownCaption = HasDeclared(texts, QStringLiteral("Caption"));
    auto caption = [&](std::function<QString()> get, std::function<void(const QString&)> set) {
        if (!ownCaption) texts.push_back({QStringLiteral("Caption"), std::move(get), std::move(set)});
    };
    if (obj == form) {
        caption([form] { return form->windowTitle(); }, [form](const QString& v) { form->setWindowTitle(v); });
    } else if (auto* b = qobject_cast<QAbstractButton*>(obj)) {
        caption([b] { return b->text(); }, [b](const QString& v) { b->setText(v); });
    } else if (auto* l = qobject_cast<QLabel*>(obj)) {
        caption([l] { return l->text(); }, [l](const QString& v) { l->setText(v); });
    } else if (auto* g = qobject_cast<QGroupBox*>(obj)) {
        caption([g] { return g->title(); }, [g](const QString& v) { g->setTitle(v); });
    } else if (auto* a = qobject_cast<QAction*>(obj)) {
        caption([a] { return a->text(); }, [a](const QString& v) { a->setText(v); });
    } else if (auto* m = qobject_cast<QMenu*>(obj)) {
        caption([m] { return m->title(); }, [m](const QString& v) { m->setTitle(v); });
    } else if (auto* d = qobject_cast<QDockWidget*>(obj)) {
        caption([d] { return d->windowTitle(); }, [d](const QString& v) { d->setWindowTitle(v); });
    } else if (auto* w = qobject_cast<QWidget*>(obj); w && TabWidgetOfPage(w)) {
        caption([w] { QTabWidget* t = TabWidgetOfPage(w); return t ? t->tabText(t->indexOf(w)) : QString(); },
                [w](const QString& v) {
                    if (QTabWidget* t = TabWidgetOfPage(w)) t->setTabText(t->indexOf(w), v);
                });
    }
    if (!HasDeclared(texts, QStringLiteral("Hint"))) {
        if (auto* a = qobject_cast<QAction*>(obj)) {
            texts.push_back({QStringLiteral("Hint"), [a] { return a->toolTip(); }, [a](const QString& v) { a->setToolTip(v); }});
        } else if (auto* w = qobject_cast<QWidget*>(obj)) {
            texts.push_back({QStringLiteral("Hint"), [w] { return w->toolTip(); }, [w](const QString& v) { w->setToolTip(v); }});
        }
    }
    if (!HasDeclared(texts, QStringLiteral("Text"))) {
        if (auto* e = qobject_cast<QLineEdit*>(obj); e && e->parent() && !qobject_cast<QComboBox*>(e->parent())) {
            texts.push_back({QStringLiteral("Text"), [e] { return e->text(); }, [e](const QString& v) { e->setText(v); }});
        } else if (auto* c = qobject_cast<QComboBox*>(obj); c && c->isEditable()) {
            texts.push_back({QStringLiteral("Text"), [c] { return c->currentText(); }, [c](const QString& v) { c->setEditText(v); }});
        }
    }
    return texts;
}

QStringList TabTexts(QTabBar* bar) {
    QStringList texts;
    for (int i = 0; i < bar->count(); ++i) texts << bar->tabText(i);
    return texts;
}

// Tabs are pages: their texts change, the localizer adds or removes none.
ListProperty TabList(QTabBar* bar) {
    ListProperty p;
    p.name = QStringLiteral("Tabs");
    p.get = [bar] { return TabTexts(bar); };
    p.setItem = [bar](int i, const QString& text) {
        if (i < bar->count()) bar->setTabText(i, text);
    };
    p.insert = [](int, const QStringList&) { return 0; };
    p.remove = [](int, int) {};
    return p;
}

// The items of a combo box or list widget, through the widget's own calls.
template <class Widget, class TextAt, class SetText, class RemoveAt>
ListProperty ItemList(Widget* w, TextAt textAt, SetText setText, RemoveAt removeAt) {
    ListProperty p;
    p.name = QStringLiteral("Items");
    p.get = [w, textAt] {
        QStringList items;
        for (int i = 0; i < w->count(); ++i) items << textAt(w, i);
        return items;
    };
    p.setItem = [w, setText](int i, const QString& text) { setText(w, i, text); };
    p.insert = [w](int at, const QStringList& texts) {
        w->insertItems(at, texts);
        return static_cast<int>(texts.size());
    };
    p.remove = [w, removeAt](int at, int count) {
        for (int k = 0; k < count && at < w->count(); ++k) removeAt(w, at);
    };
    return p;
}

ListProperty ComboList(QComboBox* c) {
    return ItemList(
        c, [](QComboBox* w, int i) { return w->itemText(i); },
        [](QComboBox* w, int i, const QString& text) { w->setItemText(i, text); },
        [](QComboBox* w, int i) { w->removeItem(i); });
}

ListProperty ListWidgetList(QListWidget* l) {
    return ItemList(
        l, [](QListWidget* w, int i) { return w->item(i)->text(); },
        [](QListWidget* w, int i, const QString& text) { w->item(i)->setText(text); },
        [](QListWidget* w, int i) { delete w->takeItem(i); });
}

std::vector<ListProperty> ListPropertiesOf(QObject* obj) {
    std::vector<ListProperty> lists;
    std::vector<TextProperty> ignored;
    AddDeclaredProperties(obj, ignored, &lists);
    for (const auto& l : lists)
        if (l.name == QLatin1String("Items") || l.name == QLatin1String("Tabs")) return lists;
    if (auto* c = qobject_cast<QComboBox*>(obj)) {
        lists.push_back(ComboList(c));
    } else if (auto* l = qobject_cast<QListWidget*>(obj)) {
        lists.push_back(ListWidgetList(l));
    } else if (auto* t = qobject_cast<QTabWidget*>(obj)) {
        lists.push_back(TabList(t->tabBar()));
    } else if (auto* b = qobject_cast<QTabBar*>(obj)) {
        lists.push_back(TabList(b));
    }
    return lists;
}

// The design-time value of a property is kept on the object the first time
// the localizer replaces it.
const char* DesignKey(const QString& property, QByteArray& storage) {
    storage = "zorbitDesign_" + property.toLatin1();
    return storage.constData();
}

// How many items the last localization inserted after the design-time items.
const char* ExtraKey(const QString& property, QByteArray& storage) {
    storage = "zorbitExtra_" + property.toLatin1();
    return storage.constData();
}

constexpr const char* kDataProperty = "zorbitData";

class FormWalker {
public:
    FormWalker(QWidget* form, QString section, TLocalizer& localizer)
        : form_(form), section_(std::move(section)), localizer_(localizer) {}

    void Run() { Walk(form_); }

private:
    void Walk(QObject* obj) {
        Component(obj);
        for (QObject* child : obj->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget && dynamic_cast<TLocalizerForm*>(widget)) continue;  // localizes itself
            if (widget && widget->property(kDataProperty).toBool()) continue;
            Walk(child);
        }
    }

    void Component(QObject* obj) {
        const QString name = obj->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) return;
        if (localizer_.ExportMode()) {
            Export(obj, name);
            return;
        }
        for (const TextProperty& p : TextPropertiesOf(obj, form_)) LocalizeText(obj, name, p);
        for (const ListProperty& p : ListPropertiesOf(obj)) LocalizeList(obj, name, p);
    }

    void LocalizeText(QObject* obj, const QString& name, const TextProperty& p) {
        QByteArray storage;
        const char* designKey = DesignKey(p.name, storage);
        QString text;
        if (localizer_.FindLanguageText(section_, name + QLatin1Char('.') + p.name, text)) {
            if (!obj->property(designKey).isValid()) obj->setProperty(designKey, p.get());
            p.set(TLocalizer::UnescapeText(text));
        } else if (const QVariant design = obj->property(designKey); design.isValid()) {
            p.set(design.toString());
        }
    }

    // The items the language names are re-texted; the other design-time
    // items get their design text back. What a language names beyond the
    // design-time items is inserted after them and taken out again at the
    // next switch; items that code added keep their place and their text.
    void LocalizeList(QObject* obj, const QString& name, const ListProperty& p) {
        QByteArray storage, extraStorage;
        const char* designKey = DesignKey(p.name, storage);
        const char* extraKey = ExtraKey(p.name, extraStorage);
        QStringList named;
        QString text;
        for (int i = 0; localizer_.FindLanguageText(section_, name + QLatin1Char('.') + p.name + QString::number(i), text); ++i)
            named << TLocalizer::UnescapeText(text);
        if (named.isEmpty() && !obj->property(designKey).isValid()) return;  // never touched: the window's own
        if (!obj->property(designKey).isValid()) obj->setProperty(designKey, p.get());
        const QStringList design = obj->property(designKey).toStringList();
        const int designCount = static_cast<int>(design.size());

        int count = static_cast<int>(p.get().size());
        const int oldExtras = obj->property(extraKey).toInt();
        if (oldExtras > 0 && count >= designCount + oldExtras) {
            p.remove(designCount, oldExtras);
            count -= oldExtras;
        }
        const QStringList current = p.get();
        for (int i = 0; i < std::min(designCount, count); ++i) {
            const QString& wanted = i < named.size() ? named[i] : design[i];
            if (current[i] != wanted) p.setItem(i, wanted);
        }
        const QStringList extras = count >= designCount ? named.mid(designCount) : QStringList();
        obj->setProperty(extraKey, extras.isEmpty() ? 0 : p.insert(designCount, extras));
    }

    void Export(QObject* obj, const QString& name) {
        const QString prefix = section_ + QLatin1Char('.') + name;
        if (localizer_.IsExportExclusion(prefix)) return;
        for (const TextProperty& p : TextPropertiesOf(obj, form_)) {
            if (localizer_.IsExportExclusion(prefix + QLatin1Char('.') + p.name)) continue;
            const QString value = p.get();
            if (value.trimmed().isEmpty()) continue;
            localizer_.ExportText(section_, name + QLatin1Char('.') + p.name, value);
        }
        for (const ListProperty& p : ListPropertiesOf(obj)) {
            if (localizer_.IsExportExclusion(prefix + QLatin1Char('.') + p.name)) continue;
            const QStringList items = p.get();
            for (int i = 0; i < items.size(); ++i) {
                const QString key = name + QLatin1Char('.') + p.name + QString::number(i);
                if (localizer_.IsExportExclusion(section_ + QLatin1Char('.') + key)) continue;
                localizer_.ExportText(section_, key, items[i]);
            }
        }
    }

    QWidget* form_;
    QString section_;
    TLocalizer& localizer_;
};

}  // namespace

void MarkAsData(QWidget* widget) { widget->setProperty(kDataProperty, true); }

void LocalizeFormTexts(QWidget* form, const QString& section, TLocalizer& localizer) {
    FormWalker(form, section, localizer).Run();
}

void LocalizeFormTexts(QWidget* form, const QString& section) { LocalizeFormTexts(form, section, Localizer()); }

// ---- TLocalizerForm

TLocalizerForm::TLocalizerForm(QWidget* form) : form_(form) {
    languageConnection_ = QObject::connect(&Localizer(), &TLocalizer::LanguageChanged, form, [this] { Relocalize(); });
}

TLocalizerForm::~TLocalizerForm() { QObject::disconnect(languageConnection_); }

QString TLocalizerForm::SectionName() const { return QString::fromLatin1(form_->metaObject()->className()); }

void TLocalizerForm::Localize() {
    if (form_->objectName().isEmpty()) {
        QString name = SectionName();
        if (name.startsWith(QLatin1Char('T')) && name.size() > 1) name.remove(0, 1);
        form_->setObjectName(name);
    }
    localized_ = true;
    BeforeLocalize();
    LocalizeFormTexts(form_, SectionName());
    AfterLocalize();
}

void TLocalizerForm::Relocalize() {
    if (!localized_) return;  // it localizes itself before it is shown
    LocalizeFormTexts(form_, SectionName());
    AfterLocalize();
}

void TLocalizerForm::HandleFormEvent(QEvent* event) {
    if (!localized_ && event->type() == QEvent::Show) Localize();
}

void TLocalizerForm::RegisterText(const QString& key, const QString& defaultText) {
    Localizer().RegisterDefault(SectionName(), key, defaultText);
}

QString TLocalizerForm::GetText(const QString& key) const { return Localizer().GetText(SectionName(), key); }

void InstallLocalizerMessageBox() {
    Localizer().SetMessageHandler([](const QString& text) {
        QMessageBox::information(nullptr, LocalizedText("IDS_mtInformation"), text);
    });
}
