% Simulates a damped pendulum and compares it with the small-angle formula.
clear; close all;

g = 9.81;          % gravity, m/s^2
L = 1.5;           % length, m
damping = 0.15;    % 1/s
theta0 = deg2rad([5 30 90]);

rhs = @(t, s) [s(2); -g / L * sin(s(1)) - damping * s(2)];

figure('Name', 'Damped pendulum');
hold on;
colors = lines(numel(theta0));
for i = 1:numel(theta0)
    [t, s] = integrate(rhs, [0 20], [theta0(i); 0], 0.01);
    small = theta0(i) * exp(-damping * t / 2) .* cos(sqrt(g / L) * t);
    plot(t, rad2deg(s(:, 1)), 'Color', colors(i, :), 'LineWidth', 1.5);
    plot(t, rad2deg(small), '--', 'Color', colors(i, :));
    err = max(abs(s(:, 1) - small));
    fprintf('start %5.1f deg: largest difference %.3f deg\n', rad2deg(theta0(i)), rad2deg(err));
end
xlabel('time (s)');
ylabel('angle (deg)');
legend(arrayfun(@(a) sprintf('%g%c', rad2deg(a), char(176)), theta0, 'UniformOutput', false));
grid on;

% Period against amplitude, from the zero crossings.
amplitudes = linspace(0.1, pi * 0.95, 20);
periods = zeros(size(amplitudes));
for i = 1:numel(amplitudes)
    [t, s] = integrate(@(t, s) [s(2); -g / L * sin(s(1))], [0 10], [amplitudes(i); 0], 0.002);
    crossings = t(diff(sign(s(:, 1))) ~= 0);
    periods(i) = 2 * mean(diff(crossings));
end
figure;
plot(rad2deg(amplitudes), periods / (2 * pi * sqrt(L / g)), 'o-');
xlabel('amplitude (deg)');
ylabel('period / small-angle period');
title(sprintf('L = %.1f m', L));

% Energy of the undamped run should stay nearly constant.
[t, s] = integrate(@(t, s) [s(2); -g / L * sin(s(1))], [0 10], [theta0(end); 0], 0.005);
energy = 0.5 * L^2 * s(:, 2).^2 + g * L * (1 - cos(s(:, 1)));
drift = (max(energy) - min(energy)) / energy(1);
fprintf('relative energy drift over %g s: %.2e\n', t(end), drift);
if drift > 1e-4
    warning('pendulum:drift', 'step too large for a conservative system');
end
