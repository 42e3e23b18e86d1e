#include "ui/widgets/elided_label.h"

#include "support/gui_application.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>

namespace {

using ElidedLabel = GuiTest;

// A port path longer than its window: cut in the middle where it shows,
// whole in the tool tip, and the window is not pushed wider by it.
TEST_F(ElidedLabel, ALongTextIsCutVisiblyAndWholeInItsToolTip)
{
    const QString path = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *label = new TElidedLabel(&window);
    layout->addWidget(label);
    label->SetFullText(path);
    window.resize(160, 40);
    window.show();
    QCoreApplication::processEvents();

    EXPECT_LE(window.width(), 160);
    EXPECT_TRUE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
    EXPECT_TRUE(label->text().startsWith(QStringLiteral("/dev/")));
    EXPECT_TRUE(label->text().endsWith(QStringLiteral("port0")));
    EXPECT_EQ(label->toolTip(), path);

    window.resize(label->sizeHint().width() + 40, 40);
    QCoreApplication::processEvents();
    EXPECT_EQ(label->text(), path) << "room enough: nothing cut";
}

} // namespace
