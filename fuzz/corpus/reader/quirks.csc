MFG:Tervolin Scale Mfg
MOD:614
REV:2.1
SMA:2/1.0
FIELDS:
ab:1:2:
HDR:A:
->:cd:1:2:
x SEND: y
ASSIGN:CAPACITY2:ab:

REJECT:ab:0:cd:1:
FIRE:X:cd:
Slot:1:
END:
tickets
