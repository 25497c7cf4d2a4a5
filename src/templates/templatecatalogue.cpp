#include "templatecatalogue.h"

namespace {

constexpr LayoutEntry Layouts[] = {
    {"Blank", nullptr, {"Label2", "Label3", nullptr, nullptr}},
    {"Half", "T1", {"t1m1", "t1m2", nullptr, nullptr}},
    {"Trio", "T2", {"t2m1", "t2m2", "t2m3", nullptr}},
    {"Comic", "T3", {"t3m1", "t3m2", "t3m3", "t3m4"}},
    {"Exclusive", "T4", {"t4m1", "tm42", "t4m3", nullptr}},
};

constexpr TemplateEntry Templates[] = {
    {"Troller", "picTroll", ":/pictures/templates/troller.png"},
    {"Yes", "picYes", ":/pictures/templates/yes.png"},
    {"Poker Face", "picPoke", ":/pictures/templates/poker.png"},
    {"Swag", "picSwag", ":/pictures/templates/swag.png"},
    {"Programmer", "picProg", ":/pictures/templates/programmer.png"},
    {"Coding", "picCode", ":/pictures/templates/coding.png"},
    {"WHY NO", "picWhy", ":/pictures/templates/whyno.png"},
    {"Student", "Student", ":/pictures/templates/student.png"},
    {"True Story", "picWhat", ":/pictures/templates/truestory.png"},
    {"When I do", "picWhen", ":/pictures/templates/whenido.png"},
};

constexpr LayoutPicture Pictures[] = {
    {"T1", ":/pictures/layouts/half.png"},
    {"T2", ":/pictures/layouts/trio.png"},
    {"T3", ":/pictures/layouts/comic.png"},
    {"T4", ":/pictures/layouts/exclusive.png"},
};

} // namespace

std::span<const LayoutEntry> layoutCatalogue()
{
    return Layouts;
}

std::span<const TemplateEntry> templateCatalogue()
{
    return Templates;
}

std::span<const LayoutPicture> layoutPictures()
{
    return Pictures;
}
