//
//********** Target device description **********
//
MFG:Tervolin Scale Mfg
MOD:637
REV:3.0
SMA:2/1.0
FIELDS:GR1,TF2,NF3,TM4,DT5,ID6,I1C,I2D,I3E,R1K,R2L,R3M,
//
//********** Configuration entries **********
// Template for the 637 vehicle scale indicator with ID storage, firmware 3.0.
//
HDR:Indicator Setup:
unt:20:60:0:0,1,2,3,4:lb,kg,g,oz,t:Weighing unit:combo:
tmf:160:60:12:12,24:12 hour,24 hour:Time format:combo:
dtf:300:60:0:0,1,2:MM-DD-YY,DD-MM-YY,YY-MM-DD:Date format:combo:
MOT:440:60:3:0,1,2,3,4:Off,0.5d,1d,3d,5d:Motion band:combo:
flt:20:120:3:0,1,2,3:Off,Low,Medium,High:Digital filter:combo:
tare:160:120:0:0-CAP:0-CAP:Preset tare weight:edit:
pwz:300:120:0:0,1:Off,On:Zero the scale at power-up:combo:
KEY LOCK:440:120:0:0-65535:0-65535:Keys locked on the front panel:button:
hd1:20:180:TERVOLIN TRUCK SCALE:24:24:Ticket header (24 characters):text:
hd2:160:180:INBOUND - OUTBOUND:24:24:Ticket subheader (24 characters):text:
HDR:Calibration:
CAP:20:60:100000:1-999999:1-999999:Capacity in display divisions:edit:
INT:160:60:20:1,2,5,10,20,50:1,2,5,10,20,50:Display interval (division size):combo:
DPP:300:60:0:0,1,2,3:1,0.1,0.01,0.001:Decimal point position:combo:
AZT:440:60:1:0,1:Off,On:Automatic zero tracking:combo:
ZTB:20:120:1:1-9:1-9:Zero tracking band (divisions):spin:
OVL:160:120:102:100-110:100-110:Overload limit (% of capacity):spin:
HDR:Variables:
idr:20:60:1:0,1:Off,On:Ask for a truck ID before weighing:combo:
idn:160:60:250:1-500:1-500:ID storage records:spin:
idl:300:60:8:1-16:1-16:Length of a truck ID:edit:
idt:440:60:1:0,1:Off,On:Keep the inbound tare with the ID:combo:
idp:20:120:TRUCK ID:12:12:Prompt shown when asking for the ID:text:
acm:160:120:1:0,1:Off,On:Accumulate net weight per ID:combo:
idm:20:180:0:0,1,2:Two pass,One pass with stored tare,Either:Weighing mode:radio:
HDR:Serial Port:
prt:20:60:0:0,1,2:Printer,Computer,Remote display:Use of the serial port:combo:
bdr:160:60:3:0,1,2,3,4:1200,2400,4800,9600,19200:Baud rate:combo:
->:par:160:120:0:0,1,2:None,Odd,Even:Parity:combo:
cnt:300:60:0:0,1:Off,On:Continuous output:combo:
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
ENABLE:idn,idl,idt,idp,acm:idr:1:
DISABLE:idn,idl,idt,idp,acm:idr:0:
HIDE:par:prt:2:
SHOW:par:prt:0,1:
ENABLE:ZTB:AZT:1:
DISABLE:ZTB:AZT:0:
REJECT:bdr:0:cnt:1:
VERIFY:tare:CAP:
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
END:
