#pragma once
// A rectangle given by its centre and size in millimetres: the position box
// of a barcode as its figure hands it over.

class TMMPos {
public:
    virtual ~TMMPos() = default;

    virtual void SetCenterX(float value) { CenterX = value; }
    virtual void SetCenterY(float value) { CenterY = value; }
    virtual void SetHeight(float value) { Height = value; }
    virtual void SetWidth(float value) { Width = value; }

    float Left() const { return CenterX - Width / 2; }
    float Top() const { return CenterY - Height / 2; }
    float Right() const { return CenterX + Width / 2; }
    float Bottom() const { return CenterY + Height / 2; }

    float CenterY = 0;
    float CenterX = 0;
    float Width = 0;
    float Height = 0;
};
