#pragma once
// The exception of the HTTP client, with a code: 1 busy, 2 nothing to post,
// 4 a header line too long, 5 a chunked body out of form, or the HTTP status
// (400 and more) of a request that failed.

#include "foundation/Exceptions.h"

#include <cstdint>

class EHttpException : public Exception {
public:
    EHttpException(const std::string& message, int32_t errorCode) : Exception(message), errorCode_(errorCode) {}
    int32_t ErrorCode() const { return errorCode_; }
    const char* ClassName() const noexcept override { return "EHttpException"; }

private:
    int32_t errorCode_;
};
