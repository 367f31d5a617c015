unit FMReg32;

{ Field master, 32 bit }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
