#!/usr/bin/env python3
"""Writes CONTROLE.DAT: a record file of a centre in mmol/l with cholesterol
in g/l, whose FIBs each carry one kind of finding of `fibtool controle`."""
import struct, sys

FIELDS = {  # name: (offset, struct format)
    'CodeFixe': (0, '<H'), 'NumCentre': (2, '<H'), 'NumFib': (4, '<H'),
    'MoisNaissance': (17, 'B'), 'AnNaissance': (20, '<i'), 'Sexe': (24, 'B'), 'TypeDiabete': (25, 'B'),
    'AnDebutDiabete': (28, '<i'), 'AnDebutComprimes': (32, '<i'), 'AnDebutInsuline': (36, '<i'),
    'ConsultHospit': (40, 'B'), 'Motif': (41, 'B'), 'AutoSurveillance': (49, 'B'),
    'GlycemiesSemaine': (60, '<i'), 'EducAjustInsuline': (73, 'B'),
    'Poids': (76, '<i'), 'Taille': (80, '<i'), 'TourTaille': (84, '<i'), 'TourHanches': (88, '<i'),
    'TaSyst': (92, '<i'), 'TaDiast': (96, '<i'),
    'GlyJeun': (104, '<f'), 'HbA1c': (108, '<f'), 'Creatinine': (116, '<f'), 'Microalb': (120, '<f'),
    'Cholesterol': (128, '<f'), 'Hdl': (132, '<f'), 'Triglycerides': (136, '<f'),
    'ExamYeux': (151, 'B'), 'ExamPieds': (172, 'B'), 'EtatFiche': (173, 'B'),
    'AnBiguanides': (208, '<i'), 'Biguanides': (224, 'B'),
}
U8 = [17, 24, 25, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49] + list(range(68, 76)) + list(range(140, 173)) \
    + list(range(174, 186)) + [204, 205, 206, 207] + list(range(224, 241))
I32 = [20, 28, 32, 36, 52, 56, 60, 64, 76, 80, 84, 88, 92, 96, 188, 192, 196, 200, 208, 212, 216, 220]
F32 = [104, 108, 112, 116, 120, 124, 128, 132, 136]


def template():
    r = bytearray(248)
    for o in U8: r[o] = 255
    for o in I32: r[o:o + 4] = struct.pack('<i', -1)
    for o in F32: r[o:o + 4] = struct.pack('<f', -1.0)
    r[0:2] = struct.pack('<H', 33)
    r[6:16] = b'01/04/1998'
    r[173] = 0
    return r


def put(r, **values):
    for name, v in values.items():
        off, fmt = FIELDS[name]
        r[off:off + struct.calcsize(fmt)] = struct.pack(fmt, v)


def good(n):
    r = template()
    r[6:16] = b'08/12/2026'
    r[16] = ord('D')
    put(r, NumCentre=12, NumFib=n, MoisNaissance=5, AnNaissance=1950, Sexe=2, TypeDiabete=2, AnDebutDiabete=1990,
        ConsultHospit=1, Motif=1, AutoSurveillance=1, GlycemiesSemaine=7, Poids=72, Taille=165, TourTaille=88,
        TourHanches=100, TaSyst=130, TaDiast=80, GlyJeun=6.1, HbA1c=7.2, Creatinine=80.0, Microalb=12.0,
        Cholesterol=1.8, Hdl=1.3, Triglycerides=1.4, ExamYeux=1, ExamPieds=1)
    for o in range(140, 146): r[o] = 4
    return r


fibs = [good(k) for k in range(1, 9)]
put(fibs[1], Sexe=255)                                            # 2: error
put(fibs[2], EducAjustInsuline=1)                                 # 3: warning
put(fibs[3], TourTaille=-1)                                       # 4: silent warning
put(fibs[4], AnDebutComprimes=1995, AnBiguanides=1990, Biguanides=1)  # 5: red notice
fibs[5][108:112] = b'\x00\x00\xc0\x7f'                           # 6: HbA1c not a number, shown empty
put(fibs[6], EtatFiche=255)                                       # 7: annulled, cleared by the save
put(fibs[7], Taille=1, EtatFiche=2)                               # 8: height in metres, stored state ignored

header = template()
put(header, NumCentre=12, NumFib=len(fibs))
for off, code in zip(F32, [3.0, -1.0, -1.0, 3.0, 3.0, 3.0, 4.0, 3.0, 3.0]):  # glycaemia .. triglycerides slots
    header[off:off + 4] = struct.pack('<f', code)
with open(sys.argv[1] if len(sys.argv) > 1 else 'CONTROLE.DAT', 'wb') as f:
    f.write(header)
    for r in fibs: f.write(r)
