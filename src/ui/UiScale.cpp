#include "ui/UiScale.h"

namespace {
double g_factor = 1.0;
}

void UiScale::Set(double factor)
{
    g_factor = factor > 0.0 ? factor : 1.0;
}

double UiScale::Get()
{
    return g_factor;
}

int UiScale::Scale(int design)
{
    return static_cast<int>(design * g_factor);
}

int UiScale::Scale(double design)
{
    return static_cast<int>(design * g_factor);
}
