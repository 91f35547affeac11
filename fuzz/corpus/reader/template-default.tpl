//
//********** Target device description **********
//
MFG:Tervolin Scale Mfg
MOD:000
REV:0.0
SMA:2/1.0
FIELDS:GR1,TF2,NF3,TM4,DT5,
//
//********** Configuration entries **********
// Settings every indicator of the product line understands; used when no template
// matches the attached model and firmware. Settings it does not know appear on the
// Extended page.
//
HDR:General Setup:
unt:20:60:0:0,1,2,3,4:lb,kg,g,oz,t:Weighing unit:combo:
tmf:160:60:12:12,24:12 hour,24 hour:Time format:combo:
flt:300:60:2:0,1,2,3:Off,Low,Medium,High:Digital filter:combo:
MOT:440:60:2:0,1,2,3,4:Off,0.5d,1d,3d,5d:Motion band:combo:
tare:20:120:0:0-CAP:0-CAP:Preset tare weight:edit:
HDR:Calibration:
CAP:20:60:5000:1-999999:1-999999:Capacity in display divisions:edit:
INT:160:60:1:1,2,5,10,20,50:1,2,5,10,20,50:Display interval (division size):combo:
DPP:300:60:0:0,1,2,3:1,0.1,0.01,0.001:Decimal point position:combo:
HDR:Serial Port:
bdr:20:60:3:0,1,2,3,4:1200,2400,4800,9600,19200:Baud rate:combo:
->:par:160:60:0:0,1,2:None,Odd,Even:Parity:combo:
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
VERIFY:tare:CAP:
END:
//
//********** Event Triggers **********
//
FIRE:UNIT1_CHANGED:unt:
FIRE:TIME_CHANGED:tmf:
FIRE:DPP_CHANGED:DPP:
FIRE:CAPACITY_CHANGED:CAP:
END:
//
//********** Set Number of Slots **********
//
END:
