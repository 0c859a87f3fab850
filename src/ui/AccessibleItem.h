#pragma once

#include "ui/UiRect.h"

#include <QString>

// A value shown to assistive technology: sliders, gauges, bars.
struct AccessibleRange {
    int value = 0;
    int minimum = 0;
    int maximum = 0;
};

// One entry of a list or popup as assistive technology sees it. The rectangle is in the
// owner's client coordinates and empty while the entry is scrolled out of view.
struct AccessibleItem {
    QString name;
    UiRect rect;
    bool selected = false;   // the list's selection, the popup's entry under the pointer
    bool hasSubMenu = false; // a popup entry that opens a sub-list
    bool expandable = false; // a folder row
    bool expanded = false;
    int depth = 0;
};
