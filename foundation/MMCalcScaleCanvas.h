#pragma once
// The process-wide measuring canvas: a scale canvas on a small screen-
// compatible bitmap whose device unit is 1/100 mm, so text and figure extents
// can be measured without any window. Created on first use.

class TScaleCanvas;

TScaleCanvas& GetMMCalcScaleCanvas();
