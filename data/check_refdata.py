#!/usr/bin/env python3
"""Consistency checks for the reference CSVs in this folder (stdlib only).

Run from anywhere:  python3 check_refdata.py
Exits 1 and lists every failure.  The checks cross tables against each other
and against a few independently published values (see README.md), so a
typo in one table shows up as a mismatch in another.
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FAIL = []


def load(name):
    with open(os.path.join(HERE, name), newline='') as f:
        rows = list(csv.DictReader(f))
    return {(int(r['Ano']), int(r['Mes'])): {k: float(v) for k, v in r.items()} for r in rows}, rows


def check(cond, msg):
    if not cond:
        FAIL.append(msg)


def next_month(y, m):
    return (y + 1, 1) if m == 12 else (y, m + 1)


# 1. every file: one row per month, no gap, no duplicate, all numeric ---------
FILES = ['valores.csv', 'faixasinss.csv', 'faixasir.csv', 'irrf_reducao.csv',
         'ipca_e.csv', 'ipca.csv', 'inpc.csv', 'tr.csv', 'selic.csv']
T = {}
for fn in FILES:
    T[fn], raw = load(fn)
    keys = [(int(r['Ano']), int(r['Mes'])) for r in raw]
    for a, b in zip(keys, keys[1:]):
        check(b == next_month(*a), f'{fn}: {a} followed by {b}')

V, I, R = T['valores.csv'], T['faixasinss.csv'], T['faixasir.csv']

# 2. published values (second sources named in README.md) ---------------
CASES = [  # file, year, month, column, expected
    ('valores.csv', 1994, 7, 'SalMin', 64.79), ('valores.csv', 1994, 9, 'SalMin', 70.00),
    ('valores.csv', 2000, 4, 'SalMin', 151.00), ('valores.csv', 2008, 2, 'SalMin', 380.00),
    ('valores.csv', 2008, 3, 'SalMin', 415.00), ('valores.csv', 2011, 3, 'SalMin', 545.00),
    ('valores.csv', 2020, 1, 'SalMin', 1039.00), ('valores.csv', 2020, 2, 'SalMin', 1045.00),
    ('valores.csv', 2023, 5, 'SalMin', 1320.00), ('valores.csv', 2024, 1, 'SalMin', 1412.00),
    ('valores.csv', 2025, 1, 'SalMin', 1518.00), ('valores.csv', 2026, 1, 'SalMin', 1621.00),
    ('valores.csv', 1999, 6, 'SalFam1', 9.05), ('valores.csv', 2001, 6, 'SalFam1', 10.31),
    ('faixasinss.csv', 1998, 6, 'Limite1', 324.45), ('faixasinss.csv', 1998, 6, 'Limite2', 390.00),
    ('faixasinss.csv', 1999, 5, 'Limite3', 1200.00), ('faixasinss.csv', 2001, 6, 'Limite4', 1430.00),
    ('faixasinss.csv', 2006, 8, 'Limite3', 1400.91), ('faixasinss.csv', 2008, 3, 'Limite3', 3038.99),
    ('faixasinss.csv', 2011, 7, 'Limite1', 1107.52), ('faixasinss.csv', 2013, 1, 'Limite2', 2079.50),
    ('faixasinss.csv', 2023, 5, 'Limite1', 1320.00), ('faixasinss.csv', 2026, 1, 'Limite2', 2902.84),
    ('faixasir.csv', 1996, 1, 'DeducaoMaximo', 315.00), ('faixasir.csv', 1998, 1, 'PercentualMaximo', 27.5),
    ('faixasir.csv', 2006, 2, 'Deducao1', 188.57), ('faixasir.csv', 2015, 3, 'LimiteMinimo', 1787.77),
    ('faixasir.csv', 2015, 4, 'LimiteMinimo', 1903.98), ('faixasir.csv', 2023, 5, 'DeducaoDaBase', 528.00),
    ('faixasir.csv', 2024, 2, 'LimiteMinimo', 2259.20), ('faixasir.csv', 2026, 1, 'DeducaoMaximo', 908.73),
    ('ipca_e.csv', 1998, 8, 'Variacao', -0.37), ('ipca_e.csv', 1999, 9, 'Variacao', 0.47),
    ('ipca_e.csv', 2000, 1, 'Variacao', 0.65), ('ipca_e.csv', 2000, 5, 'Variacao', 0.09),
    ('ipca_e.csv', 2005, 3, 'Variacao', 0.35), ('ipca_e.csv', 2026, 1, 'Variacao', 0.20),
    ('ipca_e.csv', 2026, 2, 'Variacao', 0.84), ('ipca.csv', 2026, 1, 'Variacao', 0.33),
    ('ipca.csv', 2026, 2, 'Variacao', 0.70), ('inpc.csv', 2002, 1, 'Variacao', 1.07),
    ('tr.csv', 2005, 12, 'Variacao', 0.2269), ('selic.csv', 2001, 10, 'Variacao', 1.53),
]
for fn, y, m, col, exp in CASES:
    got = T[fn].get((y, m), {}).get(col)
    check(got is not None and abs(got - exp) < 1e-9, f'{fn} {y}-{m:02d} {col}: {got} != {exp}')

# 3. INSS brackets against the ceiling and the minimum wage -----------------
for ym, r in I.items():
    lims = [r[f'Limite{i}'] for i in range(1, 6) if r[f'Limite{i}'] > 0]
    check(all(a < b for a, b in zip(lims, lims[1:])), f'INSS {ym}: limits not increasing {lims}')
    check(lims[-1] == V[ym]['ValorMaximo'], f'INSS {ym}: top limit {lims[-1]} != ceiling {V[ym]["ValorMaximo"]}')
    if ym < (2020, 3):   # brackets were set at 30% and 50% of the ceiling
        check(abs(lims[0] - 0.3 * lims[-1]) <= 0.03, f'INSS {ym}: Limite1 {lims[0]} vs 0.3 x ceiling {lims[-1]}')
        check(abs(2 * lims[-2] - lims[-1]) <= 0.03, f'INSS {ym}: 2 x {lims[-2]} vs ceiling {lims[-1]}')
    else:                # progressive table: first bracket = minimum wage
        check(lims[0] == V[ym]['SalMin'], f'INSS {ym}: Limite1 {lims[0]} != SalMin {V[ym]["SalMin"]}')
    reduced = [r[f'Limite{i}'] for i in range(1, 6) if 0 < r[f'Percentual{i}'] < 9]
    # CPMF rebate: reduced rates up to 3 minimum wages.  Apr-May 2000 keep 3 x 136.00 (table not
    # re-issued when the minimum wage rose; doubtful, see README.md)
    if (1997, 1) <= ym <= (2007, 12) and r['Percentual1'] < 8 and ym not in ((2000, 4), (2000, 5)):
        check(reduced[-1] == 3 * V[ym]['SalMin'], f'INSS {ym}: reduced-rate limit {reduced[-1]} != 3 x SalMin')

# 4. IRRF: the tax is continuous at every bracket limit -----------------------
for ym, r in R.items():
    br = [(r['LimiteMinimo'], 0.0, 0.0)]
    br += [(r[f'Limite{i}'], r[f'Percentual{i}'], r[f'Deducao{i}']) for i in (1, 2, 3) if r[f'Limite{i}'] > 0]
    br += [(None, r['PercentualMaximo'], r['DeducaoMaximo'])]
    for (lim, p, d), (_, p2, d2) in zip(br, br[1:]):
        gap = (lim * p / 100 - d) - (lim * p2 / 100 - d2)
        tol = 0.05 if ym >= (1996, 1) else 0.20   # 1994-95 tables were UFIR amounts converted to R$
        check(abs(gap) <= tol, f'IRRF {ym}: tax jumps {gap:.2f} at {lim}')

# 5. IPCA-E against the UFIR, which was updated by it (UFIR values: datalegis.com.br/indecon/ufir_m.htm)
UFIR = {(1992, 1): 597.06, (1992, 2): 749.91, (1992, 3): 945.64, (1992, 4): 1153.96, (1992, 5): 1382.79,
        (1992, 6): 1707.05, (1992, 7): 2104.28, (1992, 8): 2546.39, (1992, 9): 3135.62, (1992, 10): 3867.16,
        (1992, 11): 4852.51, (1992, 12): 6002.55, (1993, 1): 7412.55, (1993, 2): 9597.03, (1993, 3): 12161.36,
        (1993, 4): 15318.45, (1993, 5): 19506.52, (1993, 6): 25126.35, (1993, 7): 32749.68,
        (1993, 8): 42.79e3, (1993, 9): 56.48e3, (1993, 10): 75.90e3, (1993, 11): 102.59e3, (1993, 12): 137.37e3,
        (1994, 1): 187.77e3, (1994, 2): 261.32e3, (1994, 3): 365.06e3, (1994, 4): 524.34e3, (1994, 5): 740.63e3,
        (1994, 6): 1068.06e3, (1994, 7): 0.5618 * 2.75e6, (1994, 8): 0.5911 * 2.75e6, (1994, 9): 0.6207 * 2.75e6,
        (1994, 10): 0.6308 * 2.75e6, (1994, 11): 0.6428 * 2.75e6, (1994, 12): 0.6618 * 2.75e6,
        (1995, 1): 0.6767 * 2.75e6, (1995, 4): 0.7061 * 2.75e6, (1995, 7): 0.7564 * 2.75e6,
        (1995, 10): 0.7952 * 2.75e6, (1996, 1): 0.8287 * 2.75e6, (1996, 7): 0.8847 * 2.75e6,
        (1997, 1): 0.9108 * 2.75e6, (1998, 1): 0.9611 * 2.75e6, (1999, 1): 0.9770 * 2.75e6,
        (2000, 1): 1.0641 * 2.75e6}   # cruzeiros throughout (CR$1 = Cr$1000; R$1 = CR$2750)
E = T['ipca_e.csv']
ks = sorted(UFIR)
for a, b in zip(ks, ks[1:]):
    if a in ((1993, 5), (1993, 6)):   # months arbitrated by the government; see README.md
        continue
    f, ym = 1.0, a
    while ym < b:
        f *= 1 + E[ym]['Variacao'] / 100
        ym = next_month(*ym)
    ratio = UFIR[b] / UFIR[a]
    check(abs(f / ratio - 1) < 5e-4, f'IPCA-E {a}..{b}: product {f:.6f} vs UFIR ratio {ratio:.6f}')

# 6. 2026 IR reduction: its maximum is the tax on R$ 5,000 less the simplified deduction,
#    and the sliding formula meets that maximum at R$ 5,000 and reaches zero at R$ 7,350
def tax(r, base):
    for i in (1, 2, 3):
        if 0 < r[f'Limite{i}'] and base <= r[f'Limite{i}']:
            return base * r[f'Percentual{i}'] / 100 - r[f'Deducao{i}']
    return base * r['PercentualMaximo'] / 100 - r['DeducaoMaximo']


r26, red = R[(2026, 1)], T['irrf_reducao.csv'][(2026, 1)]
t5000 = tax(r26, red['LimiteIsencaoTotal'] - r26['DeducaoDaBase'])
check(abs(t5000 - red['ReducaoMaxima']) < 0.01, f'IR 2026: tax at 5000 {t5000:.2f} != max reduction')
slide = red['ReducaoConstante'] - red['ReducaoFator'] * red['LimiteIsencaoTotal']
check(abs(slide - red['ReducaoMaxima']) < 0.01, f'IR 2026: formula at 5000 gives {slide:.2f}')
check(abs(red['ReducaoConstante'] - red['ReducaoFator'] * red['LimiteReducao']) < 0.01, 'IR 2026: reduction not 0 at 7350')

if FAIL:
    print('\n'.join(FAIL))
    print(f'{len(FAIL)} check(s) failed')
    sys.exit(1)
print('all checks passed:', ', '.join(f'{fn} {len(T[fn])} rows' for fn in FILES))
