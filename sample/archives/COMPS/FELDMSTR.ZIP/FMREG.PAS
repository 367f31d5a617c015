unit FMReg;  { Field master, 16 bit }
interface
implementation
end.
