#include "commandtexts.h"

#include <QStringList>

namespace {

QString joinLines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString helpText()
{
    return joinLines({
        QStringLiteral("HELP MESSAGE"),
        QString(),
        QStringLiteral("* FREE TEMPLATE"),
        QStringLiteral(" This is used to create your own design and troll idea"),
        QStringLiteral("- To Enlarge, Drag the picture on the Template box and select enlarge below the Free Template "
                       "List. Click the Image until it fits the size you want to see."),
        QStringLiteral("- To Lessen the size, drag the picture and select Lessen. Click the Image until it fits the size "
                       "you want to see."),
        QStringLiteral("- To cancel image, select Do Nothing and double click the image"),
        QString(),
        QStringLiteral("* IMPORT TEMPLATE"),
        QStringLiteral(" This is used to Caption the ready-made template"),
        QString(),
        QStringLiteral("* HOW TO SAVE YOUR WORK AS IMAGE?"),
        QStringLiteral("Click Export to View the finish product. Click Save to Save the image to the sample folder where "
                       "you run this application"),
    });
}

QString aboutText()
{
    return joinLines({
        QStringLiteral("Zapquil: Moxlet Application V1.0"),
        QStringLiteral("Drawn and programmed by the Zapquil team"),
        QStringLiteral("https://zapquil.org"),
        QString(),
        QString(),
    });
}
