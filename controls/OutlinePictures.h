#pragma once
// The small pictures of the folder outlines, drawn by the program: plus and
// minus box (9 x 9), closed folder (15 x 13), open folder (16 x 13), check
// box empty, with a grey and with a black cross (10 x 10), and the marker of
// a folder whose subfolders are not shown (9 x 9).

#include <QtGui/QPixmap>

enum class TOutlinePicture { PlusBox, MinusBox, ClosedFolder, OpenFolder, CheckEmpty, CheckGrey, CheckBlack, Marker };

QPixmap OutlinePicture(TOutlinePicture which);
