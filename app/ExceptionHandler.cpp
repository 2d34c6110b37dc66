#include "app/ExceptionHandler.h"

#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

QString TypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return QString::fromUtf8(status == 0 && demangled ? demangled.get() : type.name());
}

TExceptionReport ErrorReport(const QString& message, const QString& className) {
    return {TMessageKind::Error, LocalizedText("IDS_ERROR") + QLatin1Char('\n') + message + QStringLiteral("\n\n") +
                                     LocalizedFormat("IDS_EXCEPTIONCLASS", {className})};
}

}  // namespace

TExceptionReport DescribeException(std::exception_ptr exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const EValidation& e) {
        return {TMessageKind::Warning, QString::fromUtf8(e.Message())};
    } catch (const Exception& e) {
        return ErrorReport(QString::fromUtf8(e.Message()), QString::fromLatin1(e.ClassName()));
    } catch (const std::exception& e) {
        return ErrorReport(QString::fromUtf8(e.what()), TypeName(typeid(e)));
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return ErrorReport(LocalizedText("IDS_UNKNOWNEXCEPTION"),
                           type ? TypeName(*type) : QStringLiteral("?"));
    }
}

void ShowApplicationException(std::exception_ptr exception) {
    try {
        const TExceptionReport report = DescribeException(exception);
        Debug().Log(report.text);
        ShowMessageBox(report.kind, report.text);
    } catch (...) {
        // Nothing may leave the handler; the trace keeps a note.
        try {
            Debug().Log("The exception report could not be shown.");
        } catch (...) {
        }
    }
}
