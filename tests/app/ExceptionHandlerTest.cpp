#include "app/ExceptionHandler.h"

#include "app/Application.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>

#include <stdexcept>
#include <vector>

namespace {

template <class E>
std::exception_ptr Raised(E e) {
    try {
        throw e;
    } catch (...) {
        return std::current_exception();
    }
}

QString ErrorText(const QString& message, const QString& className) {
    return LocalizedText("IDS_ERROR") + QLatin1Char('\n') + message + QStringLiteral("\n\n") +
           LocalizedFormat("IDS_EXCEPTIONCLASS", {className});
}

}  // namespace

TEST(ExceptionHandler, ValidationIsAWarningEverythingElseAnError) {
    struct Case {
        std::exception_ptr exception;
        TMessageKind kind;
        QString text;
    };
    const Case cases[] = {
        {Raised(EValidation(QStringLiteral("Falscher Eintrag x im Feld Breite"))), TMessageKind::Warning,
         QStringLiteral("Falscher Eintrag x im Feld Breite")},
        {Raised(EReadError(QStringLiteral("Lesefehler"))), TMessageKind::Error, ErrorText(QStringLiteral("Lesefehler"), QStringLiteral("EReadError"))},
        {Raised(Exception(QStringLiteral("Allgemein"))), TMessageKind::Error, ErrorText(QStringLiteral("Allgemein"), QStringLiteral("Exception"))},
        {Raised(std::out_of_range("index 7")), TMessageKind::Error, ErrorText(QStringLiteral("index 7"), QStringLiteral("std::out_of_range"))},
        {Raised(42), TMessageKind::Error, ErrorText(LocalizedText("IDS_UNKNOWNEXCEPTION"), QStringLiteral("int"))},
    };
    for (const Case& c : cases) {
        const TExceptionReport report = DescribeException(c.exception);
        EXPECT_EQ(report.kind, c.kind);
        EXPECT_EQ(report.text, c.text);
    }
    EXPECT_EQ(ErrorText(QStringLiteral("m"), QStringLiteral("EFoo")),
              QStringLiteral("Ein Problem ist aufgetreten:\nm\n\nFehlerklasse: EFoo"));
}

TEST(ExceptionHandler, NoExceptionCrossesTheEventLoop) {
    ASSERT_TRUE(App());
    std::vector<TMessageKind> shown;
    SetMessageBoxHook([&](TMessageKind kind, const QString&) { shown.push_back(kind); });
    int handled = 0;
    QTimer::singleShot(0, [] { throw EValidation("falsch"); });
    QTimer::singleShot(0, [] { throw EReadError("kaputt"); });
    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    QTimer::singleShot(0, [&] { ++handled; });  // the loop goes on
    for (int i = 0; i < 5 && handled == 0; ++i) QCoreApplication::processEvents();
    SetMessageBoxHook({});
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(shown, (std::vector<TMessageKind>{TMessageKind::Warning, TMessageKind::Error, TMessageKind::Error}));
}
