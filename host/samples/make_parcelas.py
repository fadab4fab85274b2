#!/usr/bin/env python3
"""Writes parcelas.orv, the host's sample: a parcel survey along a rural road in ETRS89 / UTM zone 30N
(EPSG:25830), coordinates in metres with millimetres. Deterministic: the same file every run."""
import math
import random

rng = random.Random(2026)
E0, N0 = 440250.0, 4474800.0
layers = ["Lindes", "Edificación", "Viales", "Hidrografía", "Relieve", "Bases"]
points = []  # (name, x, y, z, code, layer)
polylines = []  # (layer, colour, [point numbers])


def ground(x, y):
    return 652.0 + 0.018 * (x - E0) - 0.011 * (y - N0) + 0.6 * math.sin((x - E0) / 37.0) * math.cos((y - N0) / 53.0)


def add(name, x, y, code, layer, dz=0.0):
    x, y = round(x, 3), round(y, 3)
    points.append((name, x, y, round(ground(x, y) + dz, 3), code, layer))
    return len(points)


def jitter(v, s):
    return v + rng.uniform(-s, s)


# The road: two edges, running west to east with a gentle bend.
def road_centre(t):
    x = E0 + t
    return x, N0 + 12.0 * math.sin(t / 90.0)


north_edge, south_edge = [], []
for i in range(31):
    t = i * 11.5
    x, y = road_centre(t)
    north_edge.append(add(f"V{2 * i + 1}", jitter(x, 0.05), y + 3.1 + rng.uniform(-0.04, 0.04), "BORDE", 3, -0.08))
    south_edge.append(add(f"V{2 * i + 2}", jitter(x, 0.05), y - 3.1 + rng.uniform(-0.04, 0.04), "BORDE", 3, -0.08))
polylines.append((3, "#808080", north_edge))
polylines.append((3, "#808080", south_edge))

# Parcels: boundary points shared by neighbours, the road side following the edge.
corner = [0]


def boundary(x, y):
    corner[0] += 1
    return add(f"L{100 + corner[0]}", x, y, "LINDE", 1)


colours = ["#C00000", "#E06000", "#A000A0", "#0060C0", "#008080", "#606000", "#C00060"]


def parcel_row(side, splits, depth):
    # Points along the road side and the back side at each split; shared by the two parcels either side.
    front, back = [], []
    for t in splits:
        x, y = road_centre(t)
        off = side * 4.2
        front.append(boundary(jitter(x, 0.3), y + off))
        back.append(boundary(jitter(x + side * rng.uniform(-6, 6), 2), y + side * jitter(depth, 8)))
    for k in range(len(splits) - 1):
        ring = [front[k], front[k + 1]]
        # An extra bend in the back boundary of some parcels.
        if rng.random() < 0.6:
            bx = (points[back[k] - 1][1] + points[back[k + 1] - 1][1]) / 2 + rng.uniform(-4, 4)
            by = (points[back[k] - 1][2] + points[back[k + 1] - 1][2]) / 2 + side * rng.uniform(2, 9)
            ring += [back[k + 1], boundary(bx, by), back[k]]
        else:
            ring += [back[k + 1], back[k]]
        ring.append(front[k])
        polylines.append((1, colours[len(polylines) % len(colours)], ring))


parcel_row(+1, [6, 78, 141, 222, 298, 342], 95)
parcel_row(-1, [10, 104, 190, 265, 340], 80)

# Buildings: rectangles, slightly rotated, inside some parcels.
for b, (cx, cy, w, h, a) in enumerate([(E0 + 40, N0 + 45, 18.4, 11.2, 0.12), (E0 + 180, N0 + 52, 24.0, 13.6, -0.05),
                                       (E0 + 255, N0 + 60, 12.5, 9.8, 0.31), (E0 + 60, N0 - 45, 15.2, 10.4, -0.2),
                                       (E0 + 300, N0 - 38, 20.6, 8.9, 0.08)]):
    ring = []
    for i, (u, v) in enumerate([(-1, -1), (1, -1), (1, 1), (-1, 1)]):
        x = cx + u * w / 2 * math.cos(a) - v * h / 2 * math.sin(a)
        y = cy + u * w / 2 * math.sin(a) + v * h / 2 * math.cos(a)
        ring.append(add(f"E{b + 1}.{i + 1}", x, y, "ESQ", 2, 0.15))
    polylines.append((2, "#B05000", ring + [ring[0]]))

# The stream, crossing the southern parcels from south-west to north-east below the road.
stream = []
for i in range(26):
    t = i / 25.0
    x = E0 - 5 + t * 350 + 9 * math.sin(t * 9)
    y = N0 - 75 + t * 42 + 6 * math.cos(t * 7)
    stream.append(add(f"A{i + 1}", x, y, "ARROYO", 4, -1.2))
polylines.append((4, "#0080FF", stream))

# Spot heights spread over the whole survey.
for i in range(170):
    x = E0 + rng.uniform(-10, 355)
    y = N0 + rng.uniform(-95, 110)
    add(f"R{i + 1}", x, y, "TERRENO", 5, rng.uniform(-0.05, 0.05))

# Control stations.
for i, (x, y) in enumerate([(E0 - 12.4, N0 + 20.7), (E0 + 171.9, N0 - 18.2), (E0 + 362.3, N0 + 25.1)]):
    add(f"B{i + 1}", x, y, "BASE", 6)

with open("parcelas.orv", "w", encoding="utf-8", newline="\n") as out:
    out.write("ORV-DIBUJO 1\n")
    out.write("# Levantamiento parcelario, camino rural. ETRS89 / UTM huso 30N (EPSG:25830), metros.\n")
    out.write("[capas]\n")
    for k, name in enumerate(layers, 1):
        out.write(f"{k}\t{name}\n")
    out.write("[puntos]\n")
    for p, (name, x, y, z, code, layer) in enumerate(points, 1):
        out.write(f"{p}\t{name}\t{x:.3f}\t{y:.3f}\t{z:.3f}\t{code}\t{layer}\n")
    out.write("[polilíneas]\n")
    for layer, colour, ring in polylines:
        out.write(f"{layer}\t{colour}\t{' '.join(map(str, ring))}\n")
print(len(points), "points,", len(polylines), "polylines")
