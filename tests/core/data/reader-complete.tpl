MFG:Tervolin Scale Mfg
MOD:615
REV:1.4
SMA:2/1.0
FIELDS:GR1,TF2,
// the entries
HDR:General Setup:
unt:20:60:0:0,1:lb,kg:Unit:combo:
bdr:160:60:3:0,1,2,3:1200,2400,4800,9600:Baud rate:combo:
->:par:160:120:0:0,1,2:None,Odd,Even:Parity:combo:
->:dbt:300:120:8:7,8:7,8:Data bits:combo:
HDR:Calibration:
CAP:20:60:5000:1-999999:1-999999:Capacity:edit:
DPP:160:60:1:0,1,2:1,0.1,0.01:Decimal point:: position:combo:
HDR:Printing:
HDR:Model Info:
HDR:Extended:
END:
ASSIGN:CAPACITY:CAP:
ASSIGN:DECIMALPOINT:DPP
END:
ENABLE:par,dbt:bdr:3:
REJECT:bdr:0:par:1,2:
END:
FIRE:UNIT1_CHANGED:unt:
FIRE:CAPACITY_CHANGED:CAP:
END:
Slot:1:
Slot:2:
Slot:3:
END:
TICKETS FOLLOW
