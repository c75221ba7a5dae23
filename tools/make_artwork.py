#!/usr/bin/env python3
"""Regenerates the toolbar icons and the start picture (SVG) of the program.

All icons share one style: a rounded tile in the button's colour with a white
glyph drawn in strokes 2.5 units wide on a 32 x 32 grid.
"""
import os
import random

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

TILE = ('<rect x="1" y="1" width="30" height="30" rx="6" fill="url(#g)" stroke="{edge}" '
        'stroke-width="1"/>')
HEAD = ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">'
        '<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="{light}"/><stop offset="1" stop-color="{dark}"/>'
        '</linearGradient></defs>')
STROKE = 'fill="none" stroke="#fff" stroke-width="2.5" stroke-linecap="round" stroke-linejoin="round"'
TEXT = 'font-family="Arial, Liberation Sans, sans-serif" font-weight="bold" fill="#fff" text-anchor="middle"'

COLOURS = {
    'blue': ('#5b9bff', '#1d4fb8', '#163d8c'),
    'green': ('#5fd37a', '#1f8a3b', '#176a2d'),
    'red': ('#ff7a6b', '#c0291b', '#921f14'),
    'orange': ('#ffb457', '#d0740c', '#9e5809'),
    'purple': ('#b58cff', '#6b3fc4', '#512f96'),
    'teal': ('#4fd1d1', '#13858a', '#0e6569'),
    'grey': ('#a9b1bb', '#5b6470', '#454c55'),
    'pink': ('#ff8cc6', '#c42a79', '#951f5c'),
}

GLYPHS = {
    # a loto card with a plus: make new grids
    'card_plus': f'<rect x="6" y="8" width="16" height="13" rx="1.5" {STROKE}/>'
                 f'<path d="M6 12.5h16M6 16.5h16M11.3 8v13M16.6 8v13" fill="none" stroke="#fff" stroke-width="1.2"/>'
                 f'<path d="M23 19v8M19 23h8" {STROKE}/>',
    'printer': f'<path d="M10 12V6h12v6" {STROKE}/><rect x="6" y="12" width="20" height="9" rx="2" {STROKE}/>'
               f'<path d="M10 18h12v8H10z" {STROKE}/>',
    'ball': f'<circle cx="16" cy="16" r="10" {STROKE}/><text x="16" y="21" font-size="14" {TEXT}>7</text>',
    'info': f'<circle cx="16" cy="9" r="2.2" fill="#fff"/><path d="M16 14v11" {STROKE}/>',
    'help': f'<text x="16" y="25" font-size="22" {TEXT}>?</text>',
    'exit': f'<path d="M14 7H8v18h6" {STROKE}/><path d="M13 16h13M21 11l5 5-5 5" {STROKE}/>',
    'folder': f'<path d="M5 10h8l2 2h12v12H5z" {STROKE}/>',
    'stopwatch': f'<circle cx="16" cy="18" r="9" {STROKE}/><path d="M16 18v-5M13 5h6M16 5v4M24 10l2-2" {STROKE}/>',
    'repeat': f'<path d="M24 12a9 9 0 1 0 1 8" {STROKE}/><path d="M25 5v7h-7" {STROKE}/>',
    'female': f'<circle cx="16" cy="12" r="6" {STROKE}/><path d="M16 18v9M12 23h8" {STROKE}/>',
    'male': f'<circle cx="13" cy="19" r="6" {STROKE}/><path d="M17.5 14.5L25 7M19 7h6v6" {STROKE}/>',
    'card_line': f'<rect x="5" y="7" width="22" height="18" rx="2" {STROKE}/>'
                 f'<rect x="7" y="13.5" width="18" height="5" rx="1" fill="#fff"/>',
    'card_check': f'<rect x="5" y="7" width="22" height="18" rx="2" {STROKE}/><path d="M10 16l4 4 8-8" {STROKE}/>',
    'reset': f'<path d="M8 12a9 9 0 1 1-1 8" {STROKE}/><path d="M7 5v7h7" {STROKE}/>',
    # a curved arrow back over a struck-out ball: take the last number back
    'undo': f'<path d="M9 11h10a7 7 0 0 1 0 14h-6" {STROKE}/><path d="M13 6l-5 5 5 5" {STROKE}/>',
    # a sheet with lines: the draw's report
    'report': f'<path d="M9 5h10l5 5v17H9z" {STROKE}/><path d="M12.5 14h8M12.5 18h8M12.5 22h5" {STROKE}/>',
    # a list with ticks: the evening's programme
    'agenda': f'<path d="M7 9l2 2 3-3M7 16l2 2 3-3M7 23l2 2 3-3" {STROKE}/><path d="M15 10h10M15 17h10M15 24h10" {STROKE}/>',
    # a screen on its stand: the hall display
    'screen': f'<rect x="5" y="7" width="22" height="14" rx="1.5" {STROKE}/><path d="M16 21v5M11 26h10" {STROKE}/>',
    # the ball machine's cage with a ball falling out
    'cage': f'<circle cx="14" cy="13" r="8" {STROKE}/><path d="M8.5 7.5l11 11M19.5 7.5l-11 11" fill="none" '
            f'stroke="#fff" stroke-width="1.2"/><circle cx="24" cy="25" r="3" fill="#fff"/>',
    # half sun, half moon: the light or dark look of the hall display
    'theme': f'<circle cx="16" cy="16" r="9" {STROKE}/><path d="M16 7a9 9 0 0 1 0 18z" fill="#fff"/>',
}

MAIN = {
    'generateur': ('green', 'card_plus'),
    'impression': ('blue', 'printer'),
    'tirage': ('red', 'ball'),
    'apropos': ('purple', 'info'),
    'rapports': ('green', 'report'),
    'programme': ('orange', 'agenda'),
    'aide': ('teal', 'help'),
    'quitter': ('grey', 'exit'),
}

DRAW = {
    'choixfichier': ('orange', 'folder'),
    'chrono': ('blue', 'stopwatch'),
    'tirage': ('red', 'ball'),
    'boulier': ('orange', 'cage'),
    'annuler': ('red', 'undo'),
    'repeter': ('green', 'repeat'),
    'femme': ('pink', 'female'),
    'homme': ('blue', 'male'),
    'verifligne': ('teal', 'card_line'),
    'verifgrille': ('teal', 'card_check'),
    'salle': ('purple', 'screen'),
    'theme': ('grey', 'theme'),
    'rapport': ('blue', 'report'),
    'reinitialiser': ('orange', 'reset'),
    'apropos': ('purple', 'help'),
    'quitter': ('grey', 'exit'),
}


def icon(colour, glyph):
    light, dark, edge = COLOURS[colour]
    return (HEAD.format(light=light, dark=dark) + TILE.format(edge=edge) + GLYPHS[glyph] + '</svg>\n')


def write(path, text):
    with open(os.path.join(ROOT, path), 'w', encoding='utf-8') as out:
        out.write(text)


def loto_card(rng):
    """Three rows of five numbers, column c holding its own tens, growing downwards."""
    rows = [sorted(rng.sample(range(9), 5)) for _ in range(3)]
    cells = [[None] * 9 for _ in range(3)]
    for c in range(9):
        low, high = (1, 9) if c == 0 else (10 * c, 10 * c + 9 + (c == 8))
        picks = sorted(rng.sample(range(low, high + 1), 3))
        for r in range(3):
            if c in rows[r]:
                cells[r][c] = picks[r]
    return cells


def start_picture():
    rng = random.Random(41)
    cards = [('#ffe08a', '#b8860b', -7, 24, 40), ('#a8e6a1', '#2e7d32', 4, 70, 120),
             ('#9ecbff', '#1f5fae', -2, 30, 205)]
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="413" height="330" viewBox="0 0 413 330">',
           '<rect width="413" height="330" fill="#c0c0c0"/>']
    cw, ch = 36, 30
    for fill, ink, angle, x, y in cards:
        cells = loto_card(rng)
        w, h = 9 * cw + 12, 3 * ch + 12
        out.append(f'<g transform="translate({x} {y}) rotate({angle} {w / 2} {h / 2})">')
        out.append(f'<rect x="3" y="4" width="{w}" height="{h}" rx="5" fill="#000" opacity="0.25"/>')
        out.append(f'<rect width="{w}" height="{h}" rx="5" fill="{fill}" stroke="{ink}" stroke-width="2"/>')
        for r in range(3):
            for c in range(9):
                cx, cy = 6 + c * cw, 6 + r * ch
                number = cells[r][c]
                shade = '#fff' if number else ink
                opacity = '1' if number else '0.35'
                out.append(f'<rect x="{cx}" y="{cy}" width="{cw}" height="{ch}" fill="{shade}" '
                           f'fill-opacity="{opacity}" stroke="{ink}" stroke-width="1"/>')
                if number:
                    out.append(f'<text x="{cx + cw / 2}" y="{cy + 21}" font-size="17" '
                               f'font-family="Arial, Liberation Sans, sans-serif" font-weight="bold" '
                               f'fill="{ink}" text-anchor="middle">{number}</text>')
        out.append('</g>')
    out.append('</svg>\n')
    return '\n'.join(out)


if __name__ == '__main__':
    for name, (colour, glyph) in MAIN.items():
        write(f'app/icons/{name}.svg', icon(colour, glyph))
    for name, (colour, glyph) in DRAW.items():
        write(f'draw/icons/{name}.svg', icon(colour, glyph))
    write('app/images/grilles.svg', start_picture())
