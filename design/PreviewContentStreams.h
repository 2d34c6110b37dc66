#pragma once
// The untagged streams that content objects write into their figures'
// records (tree data of directory listings, contour lists of symbols, rich-text
// tables). The preview draws none of these objects yet, so
// it steps over their streams; every count is checked against the bytes that
// remain, and a stream that ends early raises EReadError.

class TStream;

// N entries (five strings, three int32, four bytes each), the image list of
// the icons, the column count (int32) and seven flag bytes.
void SkipTreeData(TStream& stream);
// The image list of a tree data block: a 28-byte header that starts with
// "IL", then the images as a bitmap file and, when the header's flags name a
// mask (bit 0), the mask as a second bitmap file.
void SkipImageList(TStream& stream);
// The contour count, then per contour its stroke count and 28 bytes per stroke.
void SkipContourList(TStream& stream);
// Version, column count C, row count R, the column widths and row heights
// and their dialog sizes, the two default sizes, then C x R cell texts.
void SkipRichTextTable(TStream& stream);
