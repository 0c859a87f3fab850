#include "ui/UiScale.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
double g_factor = 1.0;
double g_dpiRatio = 1.0;
constexpr double kBaseDotsPerInch = 96.0;
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

void UiScale::SetDpiRatio(double ratio)
{
    g_dpiRatio = ratio > 0.0 ? ratio : 1.0;
}

double UiScale::DpiRatio()
{
    return g_dpiRatio;
}

double UiScale::DpiRatioOf(const QScreen* screen)
{
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->logicalDotsPerInchX() <= 0.0)
        return 1.0;
    return screen->logicalDotsPerInchX() / kBaseDotsPerInch;
}
