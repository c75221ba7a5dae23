#!/usr/bin/env python3
"""Remakes the damaged grid files the fault tests use (tests/data/) and the
seeds of the grid file fuzzer (fuzz/corpus/grid_file/).

Each is named by what is wrong with it; the tests copy it into GRILLES under a
grid file's name. Valid parts follow the template's schema (data/Loto1.sql).
"""
import os
import sqlite3

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, 'tests', 'data')
SCHEMA = open(os.path.join(ROOT, 'data', 'Loto1.sql'), encoding='utf-8').read()

# Five columns a row, numbers growing down each column.
PATTERN = [(1, 3, 5, 7, 9), (2, 4, 6, 8, 9), (1, 2, 3, 4, 5)]


def grid(seed):
    cells = [0] * 27
    for r, columns in enumerate(PATTERN):
        for c in columns:
            low = 1 if c == 1 else 10 * (c - 1)
            cells[9 * r + c - 1] = low + r * 3 + seed % 2
    return cells


def grid_file(name, sheets, damage=None, folder=OUT):
    path = os.path.join(folder, name)
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript(SCHEMA)
    columns = ', '.join(['GRILLE', 'NUM1', 'NUM2', 'NUM3', 'NUM4'] +
                        [f'NUMERO{n}' for n in range(1, 109)])
    for s in range(sheets):
        first = 4 * s + 1
        cells = []
        for k in range(4):
            cells += grid(first + k)
        if damage:
            damage(s, cells)
        values = [first] + [f'{first + k:05d}' for k in range(4)] + [v or None for v in cells]
        db.execute(f'INSERT INTO TIRAGE ({columns}) VALUES ({", ".join("?" * len(values))})', values)
    db.commit()
    db.close()


def short_sheet(s, cells):
    if s == 1:  # grid 6 lost its second row
        for c in range(9):
            cells[27 + 9 + c] = 0


def out_of_range(s, cells):
    if s == 0:  # grid 1: numbers no loto card holds
        cells[0] = 95
        cells[2] = -3
        cells[4] = 250


def game_record_seed(path):
    """A game record holding an interrupted series with an undo and a check,
    made with the program's own schema (read from game/gamerecord.cpp)."""
    source = open(os.path.join(ROOT, 'game', 'gamerecord.cpp'), encoding='utf-8').read()
    schema = source.split('const char Schema[] = R"(')[1].split(')";')[0]
    header = open(os.path.join(ROOT, 'game', 'gamerecord.h'), encoding='utf-8').read()
    app_id = int(header.split('ApplicationId = ')[1].split(';')[0], 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript(schema)
    db.execute(f'PRAGMA application_id = {app_id}')
    db.execute('PRAGMA user_version = 1')
    db.execute("INSERT INTO series (started_at, state, title) VALUES ('2026-12-24T20:30:00', 'en_cours', NULL)")
    for pos, value in enumerate([12, 90, 7], start=1):
        db.execute("INSERT INTO events (series_id, at, kind, position, value, method) "
                   "VALUES (1, '2026-12-24T20:31:00', 'numero', ?, ?, 'main')", (pos, value))
    db.execute("INSERT INTO events (series_id, at, kind, position, value) "
               "VALUES (1, '2026-12-24T20:32:00', 'annulation', 3, 7)")
    db.execute("INSERT INTO events (series_id, at, kind, entry, verdict, matches) "
               "VALUES (1, '2026-12-24T20:33:00', 'verification_ligne', '0042', 'Perdu', 2)")
    db.commit()
    db.close()


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    open(os.path.join(OUT, 'zero-bytes.dat'), 'wb').close()
    with open(os.path.join(OUT, 'text-file.dat'), 'w', encoding='utf-8') as text:
        text.write('Liste des lots du loto :\n1. Un panier garni\n2. Une bicyclette\n')
    no_tables = os.path.join(OUT, 'sqlite-without-tables.dat')
    if os.path.exists(no_tables):
        os.remove(no_tables)
    db = sqlite3.connect(no_tables)
    db.execute('CREATE TABLE LOTS (NOM TEXT)')
    db.commit()
    db.close()
    grid_file('short-sheet.dat', 2, short_sheet)
    grid_file('out-of-range-cells.dat', 1, out_of_range)
    # Seeds of the grid file fuzzer: a sound file and a damaged one.
    seeds = os.path.join(ROOT, 'fuzz', 'corpus', 'grid_file')
    os.makedirs(seeds, exist_ok=True)
    grid_file('seed-1', 2, folder=seeds)
    grid_file('seed-2', 2, short_sheet, folder=seeds)
    game_record_seed(os.path.join(ROOT, 'fuzz', 'corpus', 'game_record', 'seed-1'))
