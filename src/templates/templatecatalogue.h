#pragma once

#include <span>

// The free layouts of `Combo1` and the ready-made comics of `Combo2`, in list order.
struct LayoutEntry
{
    const char *item;
    const char *picture;  // the layout picture control, or nullptr for the window's own canvas
    const char *labels[4]; // the caption labels it brings into view, in order; unused ones are nullptr
};

struct TemplateEntry
{
    const char *item;
    const char *box;
    const char *picture; // resource path
};

struct LayoutPicture
{
    const char *name;
    const char *picture; // resource path
};

std::span<const LayoutEntry> layoutCatalogue();
std::span<const TemplateEntry> templateCatalogue();
std::span<const LayoutPicture> layoutPictures();

inline constexpr const char *BlankCanvasPicture = ":/pictures/layouts/blank.png";
inline constexpr const char *ImportPlaceholderPicture = ":/pictures/templates/picimport.png";
