// The clipboard layer: private formats under their MIME type, bounded reads.
#include "platform/clipboard/Clipboard.h"

#include <gtest/gtest.h>

TEST(Clipboard, ReadsAreBounded) {
    clipboard::SetContent({{{clipboard::PrivateFormatMimeType("Test"), QByteArray(100, 'x')}}, QImage()});
    QByteArray bytes;
    EXPECT_TRUE(clipboard::Data(clipboard::PrivateFormatMimeType("Test"), 100, bytes));
    EXPECT_EQ(bytes.size(), 100);
    EXPECT_FALSE(clipboard::Data(clipboard::PrivateFormatMimeType("Test"), 99, bytes));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_FALSE(clipboard::Data("text/plain", 100, bytes));
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    clipboard::SetContent({{}, image});
    EXPECT_EQ(clipboard::Image(600).size(), QSize(30, 20));
    EXPECT_TRUE(clipboard::Image(599).isNull());
}
