//
//********** Target device description **********
//
MFG:Tervolin Scale Mfg
MOD:615
REV:1.4
SMA:2/1.0
FIELDS:GR1,TF2,NF3,TM4,DT5,ID6,CN7,UF8,DW9,PWA,PCB,
//
//********** Configuration entries **********
// Template for the 615 general purpose indicator, firmware 1.4.
// Codes in upper case are sealed (legal for trade) and need an unlocked indicator.
//
HDR:General Setup:
unt:20:60:0:0,1,2,3,4:lb,kg,g,oz,t:Primary weighing unit:combo:
un2:160:60:1:0,1,2,3,4,5:lb,kg,g,oz,t,none:Secondary weighing unit:combo:
tmf:300:60:12:12,24:12 hour,24 hour:Time format:combo:
dtf:440:60:0:0,1,2:MM-DD-YY,DD-MM-YY,YY-MM-DD:Date format:combo:
hd1:20:120:TERVOLIN SCALE:20:20:Ticket header line 1 (20 characters):text:
hd2:160:120:SHIPPING DOCK 1:20:20:Ticket header line 2 (20 characters):text:
apr:300:120:0:0,1,2:Off,On stable,On motion:Automatic print:combo:
pwz:440:120:1:0,1:Off,On:Zero the scale at power-up:combo:
slp:20:180:0:0-60:0-60:Sleep timer:: minutes without motion (0 = never):spin:
blt:160:180:5:0-9:0-9:Backlight level:slider:
LFT:300:180:1:0,1:No,Yes:Legal for trade (sealed):check:
fky:440:180:0:0,1,2,3:Off,ID,Accumulate,Count:Function key:combo:
dsp:20:240:0:0,1,2:Gross,Net,Tare:Display mode at power-up:radio:
usn:160:240:10004217:0-99999999:0-99999999:Unit serial number:large_edit:
HDR:Calibration:
CAP:20:60:5000:1-999999:1-999999:Capacity in display divisions:edit:
INT:160:60:1:1,2,5,10,20,50:1,2,5,10,20,50:Display interval (division size):combo:
DPP:300:60:0:0,1,2,3:1,0.1,0.01,0.001:Decimal point position:combo:
WT RANGES:440:60:1:1,2:Single,Dual:Number of weighing ranges:combo:
LOW RANGE:20:120:5000:1-CAP:1-CAP:Capacity of the low range:edit:
OVL:160:120:105:100-110:100-110:Overload limit (% of capacity):spin:
CNVT FACTOR:300:120:100000:!0:!0:Conversion factor of the custom unit:large_edit:
AZT:20:180:1:0,1:Off,On:Automatic zero tracking:combo:
ZTB:160:180:1:1-9:1-9:Zero tracking band (divisions):spin:
ZRG:300:180:4:2,4,10,20,100:2%,4%,10%,20%,100%:Zero range (% of capacity):combo:
SPN:440:180:0:0,1:Normal,Calibrating:Span adjustment:combo:
HDR:Digital:
flt:20:60:2:0,1,2,3:Off,Low,Medium,High:Digital filter:combo:
avg:160:60:8:1-64:1-64:Readings averaged:spin:
MOT:300:60:2:0,1,2,3,4:Off,0.5d,1d,3d,5d:Motion band:combo:
mtd:440:60:5:1-20:1-20:Motion delay (tenths of a second):edit:
tare:20:120:0:0-CAP:0-CAP:Preset tare weight:edit:
trm:160:120:1:0,1,2:Off,Keypad,Push button:Tare mode:combo:
ctr:300:120:0:0,1:Off,On:Clear tare after print:combo:
sp1:20:180:0:0-CAP:0-CAP:Setpoint 1:: target weight:edit:
sp2:160:180:0:0-CAP:0-CAP:Setpoint 2:: target weight:edit:
spm:300:180:0:0,1,2:Off,Above,Below:Setpoint output mode:combo:
dur:20:240:1:0,1,2,3:1 per second,2 per second,5 per second,10 per second:Display update rate:radio:
HDR:Serial Port:
prt:20:60:0:0,1,2:Printer,Computer,Remote display:Use of the serial port:combo:
bdr:160:60:3:0,1,2,3,4,5:1200,2400,4800,9600,19200,38400:Baud rate:combo:
->:par:160:120:0:0,1,2:None,Odd,Even:Parity:combo:
->:dbt:300:120:8:7,8:7,8:Data bits:combo:
->:sbt:440:120:1:1,2:1,2:Stop bits:combo:
cnt:300:60:0:0,1:Off,On:Continuous output:combo:
eol:440:60:0:0,1,2:CR LF,CR,LF:Line ending:combo:
hsk:20:120:0:0,1,2:None,XON-XOFF,RTS-CTS:Handshake:combo:
adr:20:180:1:1-99:1-99:Network address:edit:
pfm:160:180:2:0,1,2:Gross,Net,Gross Tare Net:Print format:combo:
HDR:Ticket Tabs:
qtp:20:60:1:0,1:Off,On:Ticket printing:combo:
tcp:160:60:1:1-9:1-9:Copies of each ticket:spin:
lmg:300:60:0:0-40:0-40:Left margin (columns):edit:
lfd:440:60:3:0-20:0-20:Line feeds after a ticket:edit:
tkn:20:120:1:1-999999:1-999999:Next ticket number:large_edit:
tb1:300:120:0:0-80:0-80:Tab stop 1 (column):spin:
tb2:440:120:20:0-80:0-80:Tab stop 2 (column):spin:
tb3:20:180:40:0-80:0-80:Tab stop 3 (column):spin:
tb4:160:180:60:0-80:0-80:Tab stop 4 (column):spin:
HDR:Keypad:
KEY LOCK:20:60:0:0-65535:0-65535:Keys locked on the front panel:button:
pwd:160:60:0:0-9999:0-9999:Setup password (0 = none):edit:
kbp:300:60:1:0,1:Off,On:Key beep:combo:
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
ENABLE:ZTB:AZT:1:
DISABLE:ZTB:AZT:0:
HIDE:LOW RANGE:WT RANGES:1:
SHOW:LOW RANGE:WT RANGES:2:
REJECT:bdr:0,1:cnt:1:
VERIFY:LOW RANGE,sp1,sp2:CAP:
DISABLE:apr,pfm:prt:1,2:
ENABLE:apr,pfm:prt:0:
DISABLE:tcp,lmg,lfd,tkn:qtp:0:
ENABLE:tcp,lmg,lfd,tkn:qtp:1:
END:
//
//********** Event Triggers **********
//
FIRE:UNIT1_CHANGED:unt:
FIRE:UNIT2_CHANGED:un2:
FIRE:TIME_CHANGED:tmf:
FIRE:DPP_CHANGED:DPP:
FIRE:CAPACITY_CHANGED:CAP:
FIRE:PRINTER_CHANGED:prt:
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
Slot:4:
END:
