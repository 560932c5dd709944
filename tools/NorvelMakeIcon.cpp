// norvel-makeicon: draws the program icon (a blue rounded square with a white magnifier) and
// writes it as a Windows icon file with 16, 32, 48 and 64 pixel images in 32-bit BGRA.
// Usage: norvel-makeicon OUTPUT.ico
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Colour {
    double r, g, b, a;  // premultiplied by a, 0..1
};

// "Over" for premultiplied colours.
Colour Over(const Colour& top, const Colour& bottom)
{
    double keep = 1.0 - top.a;
    return Colour{top.r + bottom.r * keep, top.g + bottom.g * keep, top.b + bottom.b * keep,
                  top.a + bottom.a * keep};
}

Colour Premultiplied(double r, double g, double b, double a)
{
    return Colour{r * a, g * a, b * a, a};
}

// Signed distances in pixels: negative inside.
double RoundedBox(double x, double y, double x0, double y0, double x1, double y1, double radius)
{
    double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    double qx = std::fabs(x - cx) - ((x1 - x0) / 2 - radius);
    double qy = std::fabs(y - cy) - ((y1 - y0) / 2 - radius);
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double CircleDistance(double x, double y, double cx, double cy, double radius)
{
    return std::hypot(x - cx, y - cy) - radius;
}

double CapsuleDistance(double x, double y, double ax, double ay, double bx, double by,
                       double radius)
{
    double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - dx * t, py - dy * t) - radius;
}

// One icon image, straight (not premultiplied) BGRA, top row first.
std::vector<uint8_t> DrawIcon(int size)
{
    const double s = size;
    // Strokes keep at least about one and a half pixels so the small sizes stay legible.
    const double margin = std::max(0.5, s / 32.0);
    const double corner = s * 0.22;
    const double lensX = s * 0.44, lensY = s * 0.43;
    const double ringOuter = s * 0.25;
    const double ringWidth = std::max(1.6, s * 0.075);
    const double handleRadius = std::max(1.25, s * 0.06);
    const double handleStartX = lensX + (ringOuter - ringWidth * 0.5) * std::sqrt(0.5);
    const double handleStartY = lensY + (ringOuter - ringWidth * 0.5) * std::sqrt(0.5);
    const double handleEnd = s - margin - std::max(2.5, s * 0.17);
    const Colour top = Premultiplied(0.25, 0.56, 0.93, 1.0);
    const Colour bottom = Premultiplied(0.09, 0.32, 0.66, 1.0);

    const int grid = 8;  // samples per pixel and axis
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour sum{0, 0, 0, 0};
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    double x = px + (sx + 0.5) / grid, y = py + (sy + 0.5) / grid;
                    Colour c{0, 0, 0, 0};
                    double box = RoundedBox(x, y, margin, margin, s - margin, s - margin, corner);
                    if (box < 0) {
                        double t = (y - margin) / (s - 2 * margin);
                        c = Colour{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                                   top.b + (bottom.b - top.b) * t, 1.0};
                        // A darker rim gives the square an edge on light backgrounds.
                        if (box > -std::max(1.0, s / 40.0))
                            c = Over(Premultiplied(0.05, 0.18, 0.42, 0.55), c);
                        // Glass: a faint white disc inside the ring.
                        if (CircleDistance(x, y, lensX, lensY, ringOuter - ringWidth) < 0)
                            c = Over(Premultiplied(1, 1, 1, 0.22), c);
                        double ring = std::fabs(CircleDistance(x, y, lensX, lensY,
                                                               ringOuter - ringWidth / 2)) -
                                      ringWidth / 2;
                        double handle = CapsuleDistance(x, y, handleStartX, handleStartY, handleEnd,
                                                        handleEnd, handleRadius);
                        if (ring < 0 || handle < 0)
                            c = Premultiplied(1, 1, 1, 1);
                    }
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                    sum.a += c.a;
                }
            }
            const double samples = grid * grid;
            double a = sum.a / samples;
            uint8_t* out = &pixels[(static_cast<size_t>(py) * size + px) * 4];
            auto channel = [a](double premultiplied) {
                return static_cast<uint8_t>(
                    std::lround(std::clamp(premultiplied / a, 0.0, 1.0) * 255));
            };
            if (a <= 0.0) {
                out[0] = out[1] = out[2] = out[3] = 0;
                continue;
            }
            out[0] = channel(sum.b / samples);
            out[1] = channel(sum.g / samples);
            out[2] = channel(sum.r / samples);
            out[3] = static_cast<uint8_t>(std::lround(a * 255));
        }
    }
    return pixels;
}

void PutUint16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutUint32(std::string& out, uint32_t value)
{
    PutUint16(out, value & 0xFFFF);
    PutUint16(out, value >> 16);
}

// A BMP icon entry: header with doubled height, colour rows bottom up, then the one-bit AND
// mask (set where the pixel is fully transparent), each mask row padded to 32 bits.
std::string IconImage(int size, const std::vector<uint8_t>& bgra)
{
    const uint32_t maskRowBytes = static_cast<uint32_t>((size + 31) / 32 * 4);
    const uint32_t colourBytes = static_cast<uint32_t>(size * size * 4);
    std::string out;
    PutUint32(out, 40);
    PutUint32(out, static_cast<uint32_t>(size));
    PutUint32(out, static_cast<uint32_t>(size * 2));
    PutUint16(out, 1);   // planes
    PutUint16(out, 32);  // bits per pixel
    PutUint32(out, 0);   // BI_RGB
    PutUint32(out, colourBytes + maskRowBytes * static_cast<uint32_t>(size));
    PutUint32(out, 0);
    PutUint32(out, 0);
    PutUint32(out, 0);
    PutUint32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char*>(&bgra[static_cast<size_t>(y) * size * 4]),
                   static_cast<size_t>(size) * 4);
    for (int y = size - 1; y >= 0; --y) {
        std::string row(maskRowBytes, '\0');
        for (int x = 0; x < size; ++x)
            if (bgra[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: norvel-makeicon OUTPUT.ico\n");
        return 2;
    }
    const int sizes[] = {16, 32, 48, 64};
    const int count = static_cast<int>(sizeof(sizes) / sizeof(sizes[0]));
    std::vector<std::string> images;
    for (int size : sizes)
        images.push_back(IconImage(size, DrawIcon(size)));

    std::string file;
    PutUint16(file, 0);  // reserved
    PutUint16(file, 1);  // icon, not cursor
    PutUint16(file, static_cast<uint32_t>(count));
    uint32_t offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        file += static_cast<char>(sizes[i]);  // 256 would be written as 0
        file += static_cast<char>(sizes[i]);
        file += '\0';  // no palette
        file += '\0';  // reserved
        PutUint16(file, 1);
        PutUint16(file, 32);
        PutUint32(file, static_cast<uint32_t>(images[i].size()));
        PutUint32(file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::string& image : images)
        file += image;

    const char* path = argv[1];
    std::FILE* out = std::fopen(path, "wb");
    if (!out) {
        std::perror((std::string("norvel-makeicon: cannot create ") + path).c_str());
        return 1;
    }
    bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "norvel-makeicon: cannot write %s\n", path);
        std::remove(path);
        return 1;
    }
    return 0;
}
