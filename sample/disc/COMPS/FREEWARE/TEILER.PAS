unit Teiler;

{ Splitterleisten zum Ziehen zwischen zwei Fenstern (Demo-Disc) }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
