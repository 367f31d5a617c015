unit PWReg32;

{ Port warden, 32 bit }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
