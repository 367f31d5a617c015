program KalDemo;

begin
end.
