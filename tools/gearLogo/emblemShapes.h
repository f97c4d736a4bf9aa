// tools/gearLogo/emblemShapes.h
// Paints the shape list of emblem.txt into the 256 x 256 one-bit emblem; the generator and its test share it.
#pragma once

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "../common/glslBitmap.h"

constexpr int emblemSize = 256;

struct EmblemImage {
    std::vector<bool> ink = std::vector<bool>(emblemSize * emblemSize, false);
    bool at(int px, int py) const { return ink[py * emblemSize + px]; }
};

namespace emblemDetail {
// Clockwise from straight up, in turns [0, 1): the image's y runs downwards.
inline double turnsFromUp(double dx, double dy)
{
    double t = std::atan2(dx, -dy) / (2.0 * 3.14159265358979);
    return t < 0.0 ? t + 1.0 : t;
}

// Even-odd rule over the closed outline (x0, y0, x1, y1, ...).
inline bool insidePolygon(const std::vector<double>& xy, double x, double y)
{
    bool inside = false;
    for (size_t i = 0, j = xy.size() - 2; i < xy.size(); j = i, i += 2) {
        double xi = xy[i], yi = xy[i + 1], xj = xy[j], yj = xy[j + 1];
        if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi))
            inside = !inside;
    }
    return inside;
}

// star cx cy outer inner points rotation: outer and inner corners alternate, the first outer one at the rotation.
inline std::vector<double> starOutline(const std::vector<double>& a)
{
    std::vector<double> xy;
    int points = (int)a[4];
    for (int k = 0; k < 2 * points; ++k) {
        double r = k % 2 ? a[3] : a[2];
        double angle = (a[5] / 360.0 + k / (2.0 * points)) * 2.0 * 3.14159265358979;
        xy.push_back(a[0] + r * std::sin(angle));
        xy.push_back(a[1] - r * std::cos(angle));
    }
    return xy;
}

// Whether the pixel centre (x, y) lies in the shape; the argument count is already checked.
inline bool insideShape(const std::string& shape, const std::vector<double>& a, double x, double y)
{
    if (shape == "polygon")
        return insidePolygon(a, x, y);
    if (shape == "star")
        return insidePolygon(starOutline(a), x, y);
    double dx = x - a[0], dy = y - a[1];
    double r = std::sqrt(dx * dx + dy * dy);
    if (shape == "disc")
        return r < a[2];
    if (shape == "ring")
        return r >= a[2] && r < a[3];
    // gear: cx cy inner root tip teeth rootDuty tipDuty; a band out to the root, teeth narrowing to the tip.
    if (r >= a[2] && r < a[3])
        return true;
    if (r < a[3] || r >= a[4])
        return false;
    double pitch = turnsFromUp(dx, dy) * a[5];
    double offCentre = std::fabs(pitch - std::round(pitch));
    double duty = a[6] + (a[7] - a[6]) * (r - a[3]) / (a[4] - a[3]);
    return offCentre < 0.5 * duty;
}

// Argument count per shape; polygons take three or more x y pairs.
inline bool argsFit(const std::string& shape, size_t count)
{
    if (shape == "disc")
        return count == 3;
    if (shape == "ring")
        return count == 4;
    if (shape == "star")
        return count == 6;
    if (shape == "gear")
        return count == 8;
    return shape == "polygon" && count >= 6 && count % 2 == 0;
}
}

// Each line "ink|clear SHAPE numbers..." paints over what the lines before it left; "//" starts a comment line.
// On a malformed line returns false with a message naming it.
inline bool paintEmblem(const std::string& text, EmblemImage& image, std::string& error)
{
    image = EmblemImage();
    std::istringstream in(text);
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        std::istringstream words(line);
        std::string mode, shape;
        if (!(words >> mode) || mode.rfind("//", 0) == 0)
            continue;
        std::vector<double> args;
        double value = 0.0;
        words >> shape;
        while (words >> value)
            args.push_back(value);
        if ((mode != "ink" && mode != "clear") || !words.eof() || !emblemDetail::argsFit(shape, args.size())) {
            error = "line " + std::to_string(lineNo) + ": expected \"ink|clear disc|ring|gear|star|polygon numbers\"";
            return false;
        }
        for (int py = 0; py < emblemSize; ++py)
            for (int px = 0; px < emblemSize; ++px)
                if (emblemDetail::insideShape(shape, args, px + 0.5, py + 0.5))
                    image.ink[py * emblemSize + px] = mode == "ink";
    }
    return true;
}

inline bool paintEmblemFile(const char* path, EmblemImage& image, std::string& error)
{
    std::string text;
    if (!readTextFile(path, text)) {
        error = "cannot read the file";
        return false;
    }
    return paintEmblem(text, image, error);
}
