/* Prints which pixels the platform's own region calls cover, as reference fixtures for the
 * portable region type. Built with MinGW and run on Windows or under Wine by regenerate.sh;
 * the output is committed, so the tests never need either.
 *
 * Usage: gdi_pixels rect|ellipse|roundrect|polygon
 * Each case is a line naming the call and its arguments, a line "area left top right bottom"
 * (right and bottom exclusive), then one line per row of the area: '#' where PtInRegion says
 * the pixel is inside, '.' where it is not. */

#include <stdio.h>
#include <string.h>
#include <windows.h>

static void PrintArea(HRGN region, int left, int top, int right, int bottom) {
    int x, y;
    printf("area %d %d %d %d\n", left, top, right, bottom);
    for (y = top; y < bottom; ++y) {
        for (x = left; x < right; ++x) {
            putchar(PtInRegion(region, x, y) ? '#' : '.');
        }
        putchar('\n');
    }
}

static int Min(int a, int b) {
    return a < b ? a : b;
}
static int Max(int a, int b) {
    return a > b ? a : b;
}

/* The area is the call's box with a margin, so that pixels just outside are checked too. */
static void Box(int x1, int y1, int x2, int y2, HRGN region) {
    PrintArea(region, Min(x1, x2) - 2, Min(y1, y2) - 2, Max(x1, x2) + 2, Max(y1, y2) + 2);
    DeleteObject(region);
}

/* Whether the rounded corners of a call are fully defined by the platform. A corner ellipse much
 * taller than wide makes the region code stop its walk down the ellipse before the last rows,
 * and those rows keep whatever the memory held; such cases are left out of the fixtures. The
 * walk is the same midpoint-error stepping that the region code performs. */
static int CornersDefined(int x1, int y1, int x2, int y2, int w, int h) {
    const long long ew = Min(Max(x1, x2) - 1 - Min(x1, x2), w < 0 ? -w : w);
    const long long eh = Min(Max(y1, y2) - 1 - Min(y1, y2), h < 0 ? -h : h);
    long long a, b, x, y, dx, dy, err;
    if (ew < 2 || eh < 2) {
        return 1; /* an ordinary rectangle */
    }
    a = ew - 1;
    b = eh - 1;
    dx = 4 * b * b * (1 - a);
    dy = 4 * a * a * (1 + b % 2);
    err = dx + dy + a * a * (b % 2);
    x = 0;
    y = eh / 2;
    while (x <= ew / 2 && y < b) {
        const long long e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += 8 * b * b;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += 8 * a * a;
            err += dy;
        }
    }
    return y == b;
}

static void PrintRect(int x1, int y1, int x2, int y2) {
    printf("rect %d %d %d %d\n", x1, y1, x2, y2);
    Box(x1, y1, x2, y2, CreateRectRgn(x1, y1, x2, y2));
}

static void PrintEllipse(int x1, int y1, int x2, int y2) {
    if (!CornersDefined(x1, y1, x2, y2, x2 - x1, y2 - y1)) {
        printf("# left out: ellipse %d %d %d %d\n", x1, y1, x2, y2);
        return;
    }
    printf("ellipse %d %d %d %d\n", x1, y1, x2, y2);
    Box(x1, y1, x2, y2, CreateEllipticRgn(x1, y1, x2, y2));
}

static void PrintRoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    if (!CornersDefined(x1, y1, x2, y2, w, h)) {
        printf("# left out: roundrect %d %d %d %d %d %d\n", x1, y1, x2, y2, w, h);
        return;
    }
    printf("roundrect %d %d %d %d %d %d\n", x1, y1, x2, y2, w, h);
    Box(x1, y1, x2, y2, CreateRoundRectRgn(x1, y1, x2, y2, w, h));
}

static void PrintPolygon(int count, const int* xy) {
    POINT points[16];
    int i, left = xy[0], top = xy[1], right = xy[0], bottom = xy[1];
    HRGN region;
    printf("polygon %d", count);
    for (i = 0; i < count; ++i) {
        points[i].x = xy[2 * i];
        points[i].y = xy[2 * i + 1];
        printf(" %d %d", xy[2 * i], xy[2 * i + 1]);
        left = Min(left, xy[2 * i]);
        right = Max(right, xy[2 * i]);
        top = Min(top, xy[2 * i + 1]);
        bottom = Max(bottom, xy[2 * i + 1]);
    }
    printf("\n");
    region = CreatePolygonRgn(points, count, ALTERNATE);
    if (region == NULL) {
        /* A polygon the platform refuses is an empty region for the portable type. */
        region = CreateRectRgn(0, 0, 0, 0);
    }
    Box(left, top, right, bottom, region);
}

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "";
    int w, h, c;
    if (strcmp(kind, "rect") == 0) {
        PrintRect(2, 3, 9, 7);
        PrintRect(9, 7, 2, 3);
        PrintRect(-3, -2, 2, 1);
        PrintRect(4, 1, 4, 6);
        PrintRect(1, 5, 6, 5);
        PrintRect(0, 0, 1, 1);
    } else if (strcmp(kind, "ellipse") == 0) {
        for (h = 0; h <= 12; ++h) {
            for (w = 0; w <= 12; ++w) {
                PrintEllipse(0, 0, w, h);
            }
        }
        for (w = 13; w <= 40; ++w) {
            PrintEllipse(0, 0, w, w);
        }
        PrintEllipse(3, 2, 18, 17);
        PrintEllipse(3, 2, 19, 18);
        PrintEllipse(0, 0, 31, 31);
        PrintEllipse(0, 0, 32, 32);
        PrintEllipse(0, 0, 40, 17);
        PrintEllipse(0, 0, 17, 40);
        PrintEllipse(0, 0, 63, 30);
        PrintEllipse(0, 0, 100, 9);
        PrintEllipse(10, 8, -5, -6);
        PrintEllipse(-7, -4, 6, 9);
    } else if (strcmp(kind, "roundrect") == 0) {
        static const int boxes[][2] = {{10, 10}, {11, 11}, {20, 10}, {10, 21}, {30, 31}, {7, 5}};
        static const int corners[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 40};
        int b;
        for (b = 0; b < (int)(sizeof boxes / sizeof boxes[0]); ++b) {
            for (c = 0; c < (int)(sizeof corners / sizeof corners[0]); ++c) {
                PrintRoundRect(0, 0, boxes[b][0], boxes[b][1], corners[c], corners[c]);
            }
        }
        for (c = 13; c <= 24; ++c) {
            PrintRoundRect(0, 0, 23, 22, c, c);
        }
        for (w = 2; w <= 14; w += 3) {
            for (h = 2; h <= 14; h += 4) {
                PrintRoundRect(0, 0, 16, 15, w, h);
            }
        }
        PrintRoundRect(0, 0, 20, 20, 4, 10);
        PrintRoundRect(0, 0, 20, 20, 10, 4);
        PrintRoundRect(0, 0, 20, 20, -6, -6);
        PrintRoundRect(0, 0, 20, 20, 3, 40);
        PrintRoundRect(16, 12, 2, 1, 5, 5);
        PrintRoundRect(-5, -3, 9, 8, 6, 6);
        PrintRoundRect(0, 0, 3, 3, 2, 2);
        PrintRoundRect(0, 0, 2, 9, 4, 4);
    } else if (strcmp(kind, "polygon") == 0) {
        /* Lines widened as the shaping does it: steep, not steep, 45 degrees, vertical. */
        static const int steep[] = {1, 1, 6, 20, 8, 20, 3, 1};
        static const int flat[] = {2, 2, 20, 6, 20, 8, 2, 4};
        static const int diagonal[] = {0, -1, 20, 19, 20, 21, 0, 1};
        static const int vertical[] = {9, 2, 9, 20, 11, 20, 11, 2};
        static const int horizontal[] = {2, 9, 20, 9, 20, 11, 2, 11};
        static const int back[] = {20, 3, 2, 9, 2, 11, 20, 5};
        static const int triangle[] = {1, 1, 17, 6, 5, 19};
        static const int thin[] = {0, 0, 23, 3, 0, 1};
        static const int bowtie[] = {0, 0, 16, 12, 16, 0, 0, 12};
        static const int star[] = {10, 0, 16, 19, 0, 7, 20, 7, 4, 19};
        static const int concave[] = {0, 0, 18, 0, 18, 14, 9, 5, 0, 14};
        static const int collinear[] = {0, 0, 5, 5, 10, 10, 0, 0};
        static const int reversed[] = {5, 19, 17, 6, 1, 1};
        PrintPolygon(4, steep);
        PrintPolygon(4, flat);
        PrintPolygon(4, diagonal);
        PrintPolygon(4, vertical);
        PrintPolygon(4, horizontal);
        PrintPolygon(4, back);
        PrintPolygon(3, triangle);
        PrintPolygon(3, thin);
        PrintPolygon(4, bowtie);
        PrintPolygon(5, star);
        PrintPolygon(5, concave);
        PrintPolygon(4, collinear);
        PrintPolygon(3, reversed);
        /* Pseudo-random polygons, convex or not, crossing themselves or not; the generator is
         * fixed so that the cases stay the same from run to run. */
        {
            unsigned seed = 12345;
            int n, i, xy[16];
            for (n = 0; n < 30; ++n) {
                const int count = 3 + n % 6;
                for (i = 0; i < 2 * count; ++i) {
                    seed = seed * 1103515245u + 12345u;
                    xy[i] = (int)((seed >> 16) % 25u);
                }
                PrintPolygon(count, xy);
            }
        }
    } else {
        fprintf(stderr, "usage: gdi_pixels rect|ellipse|roundrect|polygon\n");
        return 2;
    }
    return 0;
}
