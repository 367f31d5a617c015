unit FMReg;

{ Field master, 16 bit }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
