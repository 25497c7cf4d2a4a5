#include "captiontable.h"

#include <array>

namespace {

constexpr const char *FreeLower = "Click here to edit";
constexpr const char *FreeUpper = "Click Here to Edit";
constexpr const char *Over50 = "Comment must not be over 50 chars";
constexpr const char *Over30 = "Comment must not be over 30 chars";
constexpr const char *Over25 = "Comment must not be over 25 chars";
constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;
constexpr Qt::Alignment Right = Qt::AlignRight;
constexpr qreal Window = WindowFontPoints;

constexpr std::array<CaptionEntry, 36> Captions{{
    // Free layouts, on the main window.
    {"Label2", "Form1", {ParkedLeft, 480, 7575, 2775}, 720, 27.75, Left, FreeLower, Over50},
    {"Label3", "Form1", {ParkedLeft, 7920, 7815, 2775}, 720, 21.75, Left, FreeLower, Over30},
    {"t1m1", "Form1", {ParkedLeft, 240, 7575, 1455}, 360, Window, Left, FreeLower, Over30},
    {"t1m2", "Form1", {ParkedLeft, 5040, 7575, 1455}, 360, Window, Left, FreeLower, Over30},
    {"t2m1", "Form1", {ParkedLeft, 240, 8055, 1095}, 360, Window, Left, FreeLower, Over50},
    {"t2m2", "Form1", {ParkedLeft, 3600, 8055, 1095}, 360, Window, Left, FreeLower, Over50},
    {"t2m3", "Form1", {ParkedLeft, 6600, 8055, 1095}, 360, Window, Left, FreeLower, Over50},
    {"t3m1", "Form1", {ParkedLeft, 240, 3615, 1095}, 360, Window, Left, FreeUpper, Over30},
    {"t3m2", "Form1", {ParkedLeft, 240, 3615, 1095}, 4560, Window, Left, FreeUpper, Over30},
    {"t3m3", "Form1", {ParkedLeft, 3840, 3975, 2295}, 4320, Window, Left, FreeUpper, Over50},
    {"t3m4", "Form1", {ParkedLeft, 6960, 3615, 1095}, 480, Window, Left, FreeUpper, Over50},
    {"t4m1", "Form1", {ParkedLeft, 240, 6615, 1575}, 360, Window, Left, FreeUpper, Over50},
    {"tm42", "Form1", {ParkedLeft, 4680, 6495, 495}, 1680, Window, Left, FreeUpper, Over25},
    {"t4m3", "Form1", {ParkedLeft, 5880, 3975, 3135}, 480, Window, Left, FreeUpper, Over50},
    // Ready-made comics, on their template box.
    {"Label24", "picTroll", {360, 480, 7935, 1215}, 360, 26.25, Centre, FreeUpper, Over50},
    {"Label25", "picTroll", {360, 7200, 7935, 2055}, 360, 26.25, Centre, FreeUpper, Over50},
    {"Label10", "picYes", {240, 240, 7935, 1215}, 240, 26.25, Centre, FreeUpper, Over50},
    {"Label11", "picYes", {360, 7320, 7935, 1815}, 360, 26.25, Centre, FreeUpper, Over50},
    {"Label14", "picPoke", {240, 360, 7935, 2295}, 240, 26.25, Centre, FreeUpper, Over50},
    {"Label15", "picPoke", {360, 7560, 7935, 1575}, 360, 26.25, Centre, FreeUpper, Over50},
    {"Label8", "picSwag", {360, 240, 7935, 1455}, 360, 26.25, Centre, FreeUpper, Over50},
    {"Label9", "picSwag", {360, 8040, 7935, 1215}, 360, 26.25, Centre, FreeUpper, Over50},
    {"Label22", "picProg", {240, 360, 7935, 1575}, 240, 26.25, Centre, FreeUpper, Over50},
    {"Label23", "picProg", {720, 7320, 8055, 1815}, 720, 27.75, Centre, FreeUpper, Over50},
    {"Label12", "picCode", {360, 240, 7935, 1695}, 360, 26.25, Right, FreeUpper, Over50},
    {"Label13", "picCode", {240, 4920, 7935, 2175}, 240, 26.25, Right, FreeUpper, Over50},
    {"Label6", "picWhy", {360, 480, 7935, 1455}, 360, Window, Centre, FreeUpper, Over50},
    {"Label7", "picWhy", {120, 7920, 7935, 1215}, 120, Window, Centre, FreeUpper, Over50},
    {"Label4", "Student", {360, 480, 7935, 1815}, 360, Window, Centre, FreeUpper, Over50},
    {"Label5", "Student", {360, 8040, 7935, 1215}, 360, Window, Centre, FreeUpper, Over50},
    {"Label16", "picWhat", {480, 720, 2415, 2535}, 480, 18, Centre, FreeUpper, Over50},
    {"Label17", "picWhat", {4320, 600, 3615, 1215}, 4320, 18, Left, FreeUpper, Over50},
    {"Label18", "picWhat", {720, 5400, 1695, 2295}, 720, 14.25, Centre, FreeUpper, Over50},
    {"Label19", "picWhen", {480, 240, 7935, 615}, 480, 26.25, Centre, FreeUpper, Over50},
    {"Label20", "picWhen", {2520, 960, 5055, 1455}, 2520, 24, Left, "BUT WHEN I DO", ""},
    {"Label21", "picWhen", {0, 7680, 8295, 1455}, 0, 26.25, Centre, FreeUpper, Over50},
}};

} // namespace

std::span<const CaptionEntry> captionTable()
{
    return Captions;
}

const CaptionEntry *findCaption(const QString &name)
{
    for (const CaptionEntry &entry : Captions) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}
