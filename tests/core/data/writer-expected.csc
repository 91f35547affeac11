//
//********** Target device description **********
//
MFG:Tervolin Scale Mfg
MOD:615
REV:1.4
SMA:2/1.0
FIELDS:GR1,
//
//********** Configuration entries **********
//
HDR:Setup:
unt:20:60:0:0,1:lb,kg:Unit:combo:
bdr:160:60:3:0,1:1200,9600:Baud::rate:combo:
->:par:160:120:0:0,1:None,Odd:Parity:combo:
HDR:Calibration:
CAP:20:60:5000:1-999999:1-999999:Capacity:edit:
blt:160:60:5:0-9:0-9:Backlight:slider:
HDR:Setup:
tare:20:60:0:0-CAP:0-CAP:Tare:edit:
HDR:Printing:
HDR:Model Info:
HDR:Extended:
END:
//
//********** Variable Assignments **********
//
ASSIGN:CAPACITY:CAP
ASSIGN:TAREWEIGHT:tare
END:
//
//********** Configuration interlocks follow **********
//
ENABLE:par:bdr:1:
VERIFY:tare:CAP:
END:
//
//********** Event Triggers **********
//
FIRE:CAPACITY_CHANGED:CAP:
FIRE:MISSPELT:zz:
END:
//
//********** Set Number of Slots **********
//
Slot:1:
Slot:2:
END:
