unit Kalender;

{ Kalenderkomponente }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
