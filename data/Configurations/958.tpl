//
//********** Target device description **********
//
MFG:Tervolin Scale Mfg
MOD:958
REV:1.1
SMA:2/1.0
FIELDS:GR1,TF2,NF3,TM4,DT5,ID6,CN7,PWA,PCB,GAF,NAG,HTT,BMU,
//
//********** Configuration entries **********
// Template for the 958 ticket-writing indicator, firmware 1.1.
// Its tickets are saved as files for its own loader instead of being sent.
//
HDR:Basic Setup:
unt:20:60:0:0,1,2,3,4:lb,kg,g,oz,t:Primary weighing unit:combo:
un2:160:60:1:0,1,2,3,4:lb,kg,g,oz,t:Secondary weighing unit:combo:
tmf:300:60:12:12,24:12 hour,24 hour:Time format:combo:
dtf:440:60:0:0,1,2:MM-DD-YY,DD-MM-YY,YY-MM-DD:Date format:combo:
tare:20:120:00:0-CAP:0-CAP:Preset tare weight:edit:
KEY LOCK:160:120:0:0-65535:0-65535:Keys locked on the front panel:button:
qtp:300:120:1:0,1:Off,On:Ticket printing:combo:
HDR:Calibration:
CAP:20:60:20000:1-999999:1-999999:Capacity in display divisions:edit:
INT:160:60:2:1,2,5,10,20,50:1,2,5,10,20,50:Display interval (division size):combo:
DPP:300:60:1:0,1,2,3:1,0.1,0.01,0.001:Decimal point position:combo:
WT RANGES:440:60:1:1,2:Single,Dual:Number of weighing ranges:combo:
LOW RANGE:20:120:20000:1-CAP:1-CAP:Capacity of the low range:edit:
CNVT FACTOR:160:120:220462:!0:!0:Conversion factor of the secondary unit:large_edit:
HDR:Digital:
flt:20:60:1:0,1,2,3:Off,Low,Medium,High:Digital filter:combo:
avg:160:60:4:1-64:1-64:Readings averaged:spin:
MOT:300:60:1:0,1,2,3,4:Off,0.5d,1d,3d,5d:Motion band:combo:
HDR:External Ticket:
GR:20:60:1:0,1:Off,On:Print the gross weight:combo:
TF:160:60:1:0,1:Off,On:Print the tare weight:combo:
NF:300:60:1:0,1:Off,On:Print the net weight:combo:
TM:440:60:1:0,1:Off,On:Print the time:combo:
DT:20:120:1:0,1:Off,On:Print the date:combo:
ID:160:120:0:0,1:Off,On:Print the ID:combo:
tkf:300:120:TICKET:8:8:File name stem of saved tickets:text:
HDR:Printing:
HDR:Model Info:
HDR:Extended:
END:
//
//********** Variable Assignments **********
//
ASSIGN:CAPACITY:CAP:
ASSIGN:DECIMALPOINT:DPP:
ASSIGN:INTERVAL:INT:
ASSIGN:TAREWEIGHT:tare:
END:
//
//********** Configuration interlocks follow **********
//
HIDE:LOW RANGE:WT RANGES:1:
SHOW:LOW RANGE:WT RANGES:2:
DISABLE:GR,TF,NF,TM,DT,ID,tkf:qtp:0:
ENABLE:GR,TF,NF,TM,DT,ID,tkf:qtp:1:
VERIFY:LOW RANGE:CAP:
END:
//
//********** Event Triggers **********
//
FIRE:UNIT1_CHANGED:unt:
FIRE:UNIT2_CHANGED:un2:
FIRE:TIME_CHANGED:tmf:
FIRE:DPP_CHANGED:DPP:
FIRE:CAPACITY_CHANGED:CAP:
FIRE:QUILLON_PRINT_CHANGED:qtp:
FIRE:KEY_LOCK_CHANGED:KEY LOCK:
FIRE:CNVT_FACTOR_CHANGED:CNVT FACTOR:
END:
//
//********** Set Number of Slots **********
//
Slot:1:
Slot:2:
Slot:3:
END:
