#!/usr/bin/python3
"""Checks the starting position's discs on a screenshot, pixel by pixel.

    disc_rule.py SHOT.rgb SCREEN_WIDTH SCREEN_HEIGHT CLIENT_X CLIENT_Y SIDE RADIUS SCALE

SHOT.rgb holds the screen's raw RGB bytes; the board's top-left corner lies at device pixel
(CLIENT_X, CLIENT_Y), its squares are SIDE logical pixels and the display scale is SCALE. With
the pixel grid's corner at (0, 0), a device pixel whose centre lies closer than RADIUS - 0.8
(logical) to a piece's centre must show the piece's colour, one RADIUS + 0.8 or further away
the square beneath, and one between may also show the black outline. Prints "ok", or how many
pixels break the rule and the first of them.
"""
import math
import sys

BLACK, WHITE, RED, BLUE = (0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 0, 255)


def main():
    path = sys.argv[1]
    width, height, left, top = (int(value) for value in sys.argv[2:6])
    side, radius, scale = (float(value) for value in sys.argv[6:9])
    data = open(path, "rb").read()
    wrong, first = 0, None
    extent = int(8 * side * scale)
    for y in range(max(0, top), min(height, top + extent)):
        for x in range(max(0, left), min(width, left + extent)):
            px, py = (x - left + 0.5) / scale, (y - top + 0.5) / scale
            column, row = int(px // side), int(py // side)
            black = (column + row) % 2 == 0
            beneath = BLACK if black else WHITE
            piece = RED if row < 3 else BLUE
            holds = black and (row < 3 or row > 4)
            distance = math.hypot(px - (column + 0.5) * side, py - (row + 0.5) * side)
            offset = (y * width + x) * 3
            shown = tuple(data[offset:offset + 3])
            if holds and distance < radius - 0.8:
                allowed = (piece,)
            elif holds and distance < radius + 0.8:
                allowed = (piece, BLACK, beneath)
            else:
                allowed = (beneath,)
            if shown not in allowed:
                wrong += 1
                if first is None:
                    first = f"board pixel ({x - left}, {y - top}) shows {shown}, not {allowed}"
    print("ok" if wrong == 0 else f"{wrong} pixels break the rule; the first: {first}")


if __name__ == "__main__":
    main()
