#include "platform/win/GdiStroke.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace win::detail {

namespace {

struct Vec {
    double X = 0, Y = 0;
};
Vec operator+(Vec a, Vec b) {
    return {a.X + b.X, a.Y + b.Y};
}
Vec operator-(Vec a, Vec b) {
    return {a.X - b.X, a.Y - b.Y};
}
Vec operator*(Vec a, double k) {
    return {a.X * k, a.Y * k};
}
double Dot(Vec a, Vec b) {
    return a.X * b.X + a.Y * b.Y;
}
double Cross(Vec a, Vec b) {
    return a.X * b.Y - a.Y * b.X;
}

// One convex piece of a stroke, tested at pixel centres.
struct Piece {
    enum class Kind { Body, Disc, Polygon } Type = Kind::Disc;
    Vec A, V;              // Body: from A along V, between T0 and T1 (T1 itself left out); Disc: centre A
    double T0 = 0, T1 = 1; // in units of V
    double R = 0;
    std::array<Vec, 4> Corners{}; // Polygon
    int N = 0;

    bool Contains(Vec p) const {
        switch (Type) {
        case Kind::Disc: {
            const Vec d = p - A;
            return Dot(d, d) < R * R;
        }
        case Kind::Body: {
            const double len2 = Dot(V, V);
            const Vec d = p - A;
            const double t = Dot(d, V) / len2;
            if (t < T0 || t >= T1) return false;
            const double c = Cross(V, d);
            return c * c < R * R * len2;
        }
        case Kind::Polygon: {
            bool neg = false, pos = false;
            for (int i = 0; i < N; ++i) {
                const double c = Cross(Corners[(i + 1) % N] - Corners[i], p - Corners[i]);
                if (c < -1e-9) neg = true;
                if (c > 1e-9) pos = true;
            }
            return !(neg && pos);
        }
        }
        return false;
    }

    // The box of the piece: [X0, X1] x [Y0, Y1].
    void Bounds(double& x0, double& y0, double& x1, double& y1) const {
        if (Type == Kind::Polygon) {
            x0 = x1 = Corners[0].X;
            y0 = y1 = Corners[0].Y;
            for (int i = 1; i < N; ++i) {
                x0 = std::min(x0, Corners[i].X);
                x1 = std::max(x1, Corners[i].X);
                y0 = std::min(y0, Corners[i].Y);
                y1 = std::max(y1, Corners[i].Y);
            }
            return;
        }
        const Vec a = Type == Kind::Body ? A + V * T0 : A;
        const Vec b = Type == Kind::Body ? A + V * T1 : A;
        x0 = std::min(a.X, b.X) - R;
        x1 = std::max(a.X, b.X) + R;
        y0 = std::min(a.Y, b.Y) - R;
        y1 = std::max(a.Y, b.Y) + R;
    }
};

Piece Disc(Vec c, double r) {
    Piece p;
    p.Type = Piece::Kind::Disc;
    p.A = c;
    p.R = r;
    return p;
}

Piece Polygon(std::initializer_list<Vec> corners) {
    Piece p;
    p.Type = Piece::Kind::Polygon;
    for (const Vec v : corners)
        p.Corners[static_cast<std::size_t>(p.N++)] = v;
    return p;
}

Vec Unit(Vec v) {
    const double n = std::sqrt(Dot(v, v));
    return v * (1.0 / n);
}

// The join at b of the segments a-b and b-c: the wedge the two bodies leave open on the outer side.
void Join(std::vector<Piece>& out, Vec a, Vec b, Vec c, double r, UINT join) {
    const Vec d1 = Unit(b - a), d2 = Unit(c - b);
    const double turn = Cross(d1, d2);
    if (std::fabs(turn) < 1e-12 && Dot(d1, d2) > 0) return; // straight on
    if (join == PS_JOIN_ROUND) {
        out.push_back(Disc(b, r));
        return;
    }
    // The outer side lies against the turn.
    const double side = turn > 0 ? 1.0 : -1.0;
    const Vec o1{d1.Y * side, -d1.X * side}, o2{d2.Y * side, -d2.X * side};
    const Vec e1 = b + o1 * r, e2 = b + o2 * r;
    const double cosTurn = Dot(o1, o2);
    // The miter's length in pen widths is 1 / cos(turn / 2).
    if (join == PS_JOIN_MITER && cosTurn > -1 + 1e-12) {
        const double ratio = 1.0 / std::sqrt((1 + cosTurn) / 2);
        if (ratio <= DefaultMiterLimit) {
            const Vec m = b + (o1 + o2) * (r / (1 + cosTurn));
            out.push_back(Polygon({b, e1, m, e2}));
            return;
        }
    }
    out.push_back(Polygon({b, e1, e2}));
}

// The figure's pieces: bodies of its segments, caps at its ends (open figures), joins at its corners.
std::vector<Piece> Pieces(const std::vector<Vec>& v, bool closed, double r, const StrokeStyle& s) {
    std::vector<Piece> out;
    const std::size_t n = v.size();
    if (n == 1) {
        // A figure of one point: a dot in the shape of the cap.
        if (s.EndCap == PS_ENDCAP_ROUND) out.push_back(Disc(v[0], r));
        if (s.EndCap == PS_ENDCAP_SQUARE)
            out.push_back(
                Polygon({v[0] + Vec{-r, -r}, v[0] + Vec{r, -r}, v[0] + Vec{r, r}, v[0] + Vec{-r, r}}));
        return out;
    }
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        Piece body;
        body.Type = Piece::Kind::Body;
        body.A = v[i];
        body.V = v[(i + 1) % n] - v[i];
        body.R = r;
        const double len = std::sqrt(Dot(body.V, body.V));
        if (!closed && s.EndCap == PS_ENDCAP_SQUARE) {
            if (i == 0) body.T0 = -r / len;
            if (i + 1 == segments) body.T1 = 1 + r / len;
        }
        out.push_back(body);
    }
    if (!closed && s.EndCap == PS_ENDCAP_ROUND) {
        out.push_back(Disc(v.front(), r));
        out.push_back(Disc(v.back(), r));
    }
    for (std::size_t i = closed ? 0 : 1; i < (closed ? n : n - 1); ++i)
        Join(out, v[(i + n - 1) % n], v[i], v[(i + 1) % n], r, s.Join);
    return out;
}

} // namespace

ShapeRows StrokeRows(const std::vector<POINT>& pts, bool closed, const StrokeStyle& style, const RECT& view) {
    ShapeRows rows;
    const int w = std::max(1, style.Width);
    const double r = w / 2.0, c = w % 2 ? 0.5 : 0.0;
    // Corners that repeat their predecessor add nothing.
    std::vector<Vec> v;
    for (const POINT& p : pts) {
        const Vec q{p.X + c, p.Y + c};
        if (v.empty() || q.X != v.back().X || q.Y != v.back().Y) v.push_back(q);
    }
    if (closed && v.size() > 1 && v.front().X == v.back().X && v.front().Y == v.back().Y) v.pop_back();
    if (v.empty()) return rows;
    if (closed && v.size() < 3) closed = false; // a closed figure of two points is a line there and back
    const std::vector<Piece> pieces = Pieces(v, closed, r, style);

    // The spans of each piece, row by row, then merged. Only the pixels of the view are looked at, walked
    // in 64 bits: the view may reach the ends of the int range.
    std::map<int, std::vector<std::pair<int, int>>> spans;
    for (const Piece& piece : pieces) {
        double x0, y0, x1, y1;
        piece.Bounds(x0, y0, x1, y1);
        const long long top = std::max<long long>(view.Top, static_cast<long long>(std::floor(y0)) - 1);
        const long long bottom = std::min<long long>(view.Bottom, static_cast<long long>(std::ceil(y1)) + 1);
        const long long left = std::max<long long>(view.Left, static_cast<long long>(std::floor(x0)) - 1);
        const long long right = std::min<long long>(view.Right, static_cast<long long>(std::ceil(x1)) + 1);
        for (long long y = top; y < bottom; ++y) {
            long long start = 0;
            bool in = false;
            for (long long x = left; x <= right; ++x) {
                const bool inside = x < right && piece.Contains({x + 0.5, y + 0.5});
                if (inside && !in) start = x;
                if (!inside && in)
                    spans[static_cast<int>(y)].push_back({static_cast<int>(start), static_cast<int>(x)});
                in = inside;
            }
        }
    }
    if (spans.empty()) return rows;
    rows.Top = spans.begin()->first;
    rows.Rows.resize(static_cast<std::size_t>(spans.rbegin()->first - rows.Top + 1));
    for (auto& [y, list] : spans) {
        std::sort(list.begin(), list.end());
        std::vector<int>& row = rows.Rows[static_cast<std::size_t>(y - rows.Top)];
        for (const auto& [a, b] : list) {
            if (!row.empty() && a <= row.back()) {
                row.back() = std::max(row.back(), b);
                continue;
            }
            row.push_back(a);
            row.push_back(b);
        }
    }
    return rows;
}

} // namespace win::detail
