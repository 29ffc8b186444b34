#pragma once
// Helpers for the pixel tests of the drawing surface and the plot commands.

#include "graph/plot_surface.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace plot_test {

using Pixel = std::pair<int, int>; // (column, row)

// One QApplication for the whole test program (offscreen).
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "plot_tests";
        static char* argv[] = { name, nullptr };
        if (!QApplication::instance())
            app_ = new QApplication(argc, argv);
    }

private:
    QApplication* app_ = nullptr;
};

inline const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

inline QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

// The start colours of the area, the frame, the grid and the axes, and two of the tests' own.
inline const QRgb kArea = qRgb(166, 202, 240);
inline const QRgb kBlack = qRgb(0, 0, 0);
inline const QRgb kGrey = qRgb(128, 128, 128);
inline const QRgb kGreen = qRgb(0, 128, 0);
inline const QRgb kRed = qRgb(255, 0, 0);
inline const QRgb kBlue = qRgb(0, 0, 255);

inline QRgb at(const quarnis::PlotSurface& s, int x, int y)
{
    return s.image().pixel(x, y) | 0xff000000u;
}

// Every pixel of the image that has colour c.
inline std::set<Pixel> pixelsOf(const QImage& img, QRgb c)
{
    std::set<Pixel> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xff000000u) == (c | 0xff000000u))
                out.insert({ x, y });
    return out;
}

// Which of the pixels x0 .. x0 + n - 1 of row y have colour c, as a text of '#' and '.'.
inline std::string rowPattern(const QImage& img, int y, int x0, int n, QRgb c)
{
    std::string s;
    for (int x = x0; x < x0 + n; ++x)
        s += (img.pixel(x, y) | 0xff000000u) == (c | 0xff000000u) ? '#' : '.';
    return s;
}

inline std::string columnPattern(const QImage& img, int x, int y0, int n, QRgb c)
{
    std::string s;
    for (int y = y0; y < y0 + n; ++y)
        s += (img.pixel(x, y) | 0xff000000u) == (c | 0xff000000u) ? '#' : '.';
    return s;
}

} // namespace plot_test
