#pragma once
// Small services that many parts of the program share: the document
// extension and other process-wide values, program and temporary paths, the
// document type registration with the desktop, and numeric and geometric
// helpers of the figures.

#include "foundation/PointHelpers.h"

#include <QtCore/QString>

class QDateTime;

#include <cstdint>

// ---- process-wide values

// The document extension without dot.
extern QString DefaultExt;
// The help file beside the program.
QString HelpFileName();
// Screen pixels per millimetre (pixels per inch / 25.4).
double PixelsPerMM();

// ---- paths and files

// A moment as a date-time value: days since 1899-12-30 with the time of day
// as the fraction, local time.
double DateTimeValue(const QDateTime& moment);
// The file's last write time as a date-time value; 0 when there is no such file.
double FileDateTime(const QString& fileName);

// An empty folder gives name; a folder ending in "/" gives folder + name;
// otherwise folder + "/" + name.
QString JoinPath(const QString& folder, const QString& name);

// True when the path lies on a mounted CD or DVD. The document window turns
// Save into Save As for such documents.
bool IsCDROMDrive(const QString& path);

// A new, empty file "~QN<nnnn><.ext>" in the process's own temporary
// folder (PrivateTempFolder.h), numbered in the order asked for; the
// extension is lower-cased and given a leading dot. The file is created
// exclusively. Raises EFCreateError when the folder does not take new files.
QString UniqueTempFileName(const QString& extension);

// The program's title: the main window's caption without a document (it
// names print jobs, message boxes and the document type); "Zorbit" when none
// is set. It is no display name of Qt's, which would stand in every window's
// title beside its own caption.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Registers the documents with the extension with the desktop so that the
// file manager opens them with this program, the document as its only
// argument. Called by the main window at every start; files are written only
// when missing or changed; errors are ignored. True when something changed.
bool RegisterFileAssociation(const QString& extension);

// The file-dialog filter of documents ("IDS_FILEFILTER" with DefaultExt), in
// the "description|pattern|description|pattern" form.
QString DocumentFileFilter();

// ---- numbers and geometry

constexpr double kMMPerInch = 25.4;

// Scales width and height, keeping the aspect, until the size touches the
// box maxWidth x maxHeight (up or down); rounded to the nearest integer.
// Nothing changes when the size or the box has no extent.
void FitSizeInto(int32_t& width, int32_t& height, int32_t maxWidth, int32_t maxHeight);
void FitSizeIntoFloat(double& width, double& height, double maxWidth, double maxHeight);
// min(max(value, low), high).
double ClampFloat(double value, double low, double high);
// Left <= right and top <= bottom.
TRect NormalizeRect(const TRect& r);
bool RectContainsRect(const TRect& outer, const TRect& inner);
void SwapIntegers(int32_t& a, int32_t& b);
void SwapDoubles(double& a, double& b);
double PointDistance(TPoint a, TPoint b);
// x written with that many decimals (of its first 15 significant digits,
// halves away from zero) and read back.
double RoundToDecimals(double x, int32_t decimals);
// Round(x * 100) / 100, ties to even: 0.125 gives 0.12.
double RoundTo2Decimals(double x);
// The float as the double of its shortest decimal text: 63.99f gives 63.99
// rather than the digits of its binary value.
double ShortestDouble(float value);
int32_t SignOf(float x);
// The angle in [0, 360); 0 for a value that is not finite.
double NormalizeAngle(float degrees);
// True when p lies within tolerance of the segment from a to b (the distance
// to the line through a and b, limited to the segment's box enlarged by the
// tolerance, right and bottom edges excluded).
bool PointNearLine(TPoint p, TPoint a, TPoint b, int32_t tolerance);
