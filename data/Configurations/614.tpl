//
//********** Target device description **********
//
MFG:Tervolin Scale Mfg
MOD:614
REV:2.1
SMA:2/1.0
FIELDS:GR1,TF2,NF3,TM4,DT5,ID6,CN7,UF8,DW9,PWA,PCB,I1C,I2D,I3E,GAF,NAG,
//
//********** Configuration entries **********
// Template for the 614 process indicator with analog output, firmware 2.1.
// Weights are counted in tenths: a capacity of 50000 reads 5000.0 on the display.
//
HDR:Scale Setup:
unt:20:60:1:0,1,2,3,4:lb,kg,g,oz,t:Weighing unit:combo:
tmf:160:60:24:12,24:12 hour,24 hour:Time format:combo:
dtf:300:60:1:0,1,2:MM-DD-YY,DD-MM-YY,YY-MM-DD:Date format:combo:
flt:440:60:3:0,1,2,3:Off,Low,Medium,High:Digital filter:combo:
tare:20:120:00:0-CAP:0-CAP:Preset tare weight:edit:
trm:160:120:1:0,1,2:Off,Keypad,Push button:Tare mode:combo:
MOT:300:120:2:0,1,2,3,4:Off,0.5d,1d,3d,5d:Motion band:combo:
pwz:440:120:0:0,1:Off,On:Zero the scale at power-up:combo:
hd1:20:180:TERVOLIN PROCESS:24:24:Ticket header (24 characters):text:
KEY LOCK:300:180:257:0-65535:0-65535:Keys locked on the front panel:button:
dsp:20:240:0:0,1:Gross,Net:Display mode at power-up:radio:
HDR:Calibration:
CAP:20:60:50000:1-999999:1-999999:Capacity in tenths of a division:edit:
INT:160:60:5:1,2,5,10,20,50:1,2,5,10,20,50:Display interval (division size):combo:
DPP:300:60:1:0,1,2,3:1,0.1,0.01,0.001:Decimal point position:combo:
WT RANGES:440:60:2:1,2:Single,Dual:Number of weighing ranges:combo:
LOW RANGE:20:120:25000:1-CAP:1-CAP:Capacity of the low range:edit:
AZT:160:120:1:0,1:Off,On:Automatic zero tracking:combo:
ZTB:300:120:3:1-9:1-9:Zero tracking band (divisions):spin:
CAL:440:120:1:0,1:Open,Sealed:Calibration seal:check:
HDR:Analog:
aot:20:60:1:0,1,2:0-10 V,4-20 mA,0-20 mA:Analog output type:combo:
aos:160:60:0:0,1:Gross,Net:Analog output follows:combo:
aoz:20:120:0:0-999999:0-999999:Weight at the low end of the output:edit:
aof:160:120:50000:1-999999:1-999999:Weight at the high end of the output:edit:
atr:300:120:0:0-99:0-99:Output trim (counts):spin:
HDR:Serial Ports:
prt:20:60:0:0,1:Printer,Computer:Use of port 1:combo:
bdr:160:60:3:0,1,2,3,4:1200,2400,4800,9600,19200:Port 1 baud rate:combo:
->:par:160:120:0:0,1,2:None,Odd,Even:Port 1 parity:combo:
->:dbt:300:120:8:7,8:7,8:Port 1 data bits:combo:
bd2:300:60:4:0,1,2,3,4:1200,2400,4800,9600,19200:Port 2 baud rate:combo:
cnt:440:60:1:0,1:Off,On:Continuous output on port 2:combo:
adr:20:120:1:1-99:1-99:Network address:edit:
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
ENABLE:ZTB:AZT:1:
DISABLE:ZTB:AZT:0:
VERIFY:LOW RANGE,aoz,aof:CAP:
REJECT:bd2:0:cnt:1:
END:
//
//********** Event Triggers **********
//
FIRE:UNIT1_CHANGED:unt:
FIRE:TIME_CHANGED:tmf:
FIRE:DPP_CHANGED:DPP:
FIRE:CAPACITY_CHANGED:CAP:
FIRE:PRINTER_CHANGED:prt:
FIRE:KEY_LOCK_CHANGED:KEY LOCK:
END:
//
//********** Set Number of Slots **********
//
Slot:1:
Slot:2:
Slot:3:
Slot:4:
Slot:5:
Slot:6:
END:
