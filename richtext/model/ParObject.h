#pragma once
// Objects attached to a paragraph: a chain that the paragraph owns and frees
// with itself. A TParBandObject marks a header or footer band paragraph; a
// TParRectObject is a rectangle that follows its paragraph (top and bottom
// set by pagination, left and right by line breaking). Nothing in the
// program makes them yet, so the chains stay empty; the layers keep them up.

#include <cstdint>

class TParObject {
public:
    virtual ~TParObject() = default;
    int32_t value = 0;
    TParObject* next = nullptr;
};

class TParBandObject : public TParObject {
public:
    virtual void BandOperationA() = 0;
    virtual void BandOperationB() = 0;
    virtual void BandOperationC() = 0;
};

class TParRectObject : public TParObject {
public:
    int32_t top = 0;
    int32_t left = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    int32_t valueA = 0;
    int32_t valueB = 0;
    int32_t valueC = 0;
};

// Frees a whole chain; a destructor that throws does not stop the rest.
void FreeParObjectChain(TParObject*& first) noexcept;
